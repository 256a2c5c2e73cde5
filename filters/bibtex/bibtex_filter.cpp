// The BibTeX filter library: its state from the load of the library to the unload.
#include "filters/bibtex/bibtex_filter.h"

#include "cartio.h"
#include "filters/common/filter_module.h"
#include "filters/common/filter_state.h"
#include "io/filter_exports.h"

namespace {

// A pointer, not an object, so that nothing depends on the order in which the library's
// static objects and its entry point are set up.
BibtexFilter* g_filter = nullptr;

constexpr std::string_view kVerbatimFields[] = {"doi", "url", "eprint", "file", "pdf"};

}  // namespace

bool IsVerbatimField(std::string_view name)
{
    for (std::string_view verbatim : kVerbatimFields) {
        if (verbatim == name)
            return true;
    }
    return false;
}

bool FilterAttach()
{
    if (!MakeFilterState(g_filter))
        return false;
    g_filter->writeUtf8 =
        GetConfigInt(kBibtexSection, kBibtexOptionKey, kBibtexOptionDefault) == 1;
    return true;
}

void FilterDetach()
{
    FreeFilterState(g_filter);
}

BibtexFilter* TheBibtexFilter()
{
    return FilterReady() ? g_filter : nullptr;
}

extern "C" FILTER_API const char* FILTER_CALL WhoAmI(void)
{
    return "BibTeX format";
}

extern "C" FILTER_API const char* FILTER_CALL GetSpecs(void)
{
    return "BibTeX file (*.bib)\0*.BIB\0All files (*.*)\0*.*\0";
}
