// The life of a loaded filter library. The platform's entry point (module_entry.cpp or
// module_entry_win.cpp, built into each filter) calls the filter's own FilterAttach when the
// library is loaded and FilterDetach when it is unloaded.
#ifndef CARTULAN_FILTERS_COMMON_FILTER_MODULE_H
#define CARTULAN_FILTERS_COMMON_FILTER_MODULE_H

// Defined by each filter. FilterAttach allocates the filter's buffers (and may read its
// options); false refuses the load. FilterDetach frees what the filter holds, also after a
// refused attach.
bool FilterAttach();
void FilterDetach();

// True from a successful attach to the detach. On Windows a refused attach fails the load
// itself; a native shared object stays mapped, so its exports check this and deliver nothing.
bool FilterReady();

// The platform's handle of the filter library, for its own dialog resources (null natively).
void* FilterModuleHandle();

// Used by the entry points only.
void SetFilterModule(void* handle, bool ready);

#endif
