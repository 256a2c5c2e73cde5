// The refer filter library: the default file format, read and written. Its state lives from
// the load of the library to the unload.
#include "filters/refer/refer_filter.h"

#include "cartio.h"
#include "filters/common/filter_module.h"
#include "filters/common/filter_state.h"
#include "io/filter_exports.h"

namespace {

// A pointer, not an object, so that nothing depends on the order in which the library's
// static objects and its entry point are set up.
ReferFilter* g_filter = nullptr;

}  // namespace

bool FilterAttach()
{
    if (!MakeFilterState(g_filter))
        return false;
    g_filter->oemText = GetConfigInt(kReferSection, kReferOptionKey, kReferOptionDefault) == 1;
    return true;
}

void FilterDetach()
{
    FreeFilterState(g_filter);
}

ReferFilter* TheReferFilter()
{
    return FilterReady() ? g_filter : nullptr;
}

bool ConvertsOem(const ReferFilter& filter, const LineFile* file)
{
    return filter.oemText && file != nullptr && (file->flags & kLineFileUtf8) == 0;
}

extern "C" FILTER_API const char* FILTER_CALL WhoAmI(void)
{
    return "Refer format";
}

extern "C" FILTER_API const char* FILTER_CALL GetSpecs(void)
{
    return "Refer text file (*.ref)\0*.REF\0All files (*.*)\0*.*\0";
}
