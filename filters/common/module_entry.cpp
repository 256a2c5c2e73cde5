// The native entry points of a filter shared object: attach when it is mapped, detach when it
// is unmapped (dlclose of the last handle, or the end of the process).
#include "filters/common/filter_module.h"

namespace {

__attribute__((constructor)) void AttachFilter()
{
    SetFilterModule(nullptr, FilterAttach());
}

__attribute__((destructor)) void DetachFilter()
{
    SetFilterModule(nullptr, false);
    FilterDetach();
}

}  // namespace
