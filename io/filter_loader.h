// Finding and loading filter plug-ins: the ".FLT" files in the program's directory, each
// loaded by its full path for one operation and unloaded again.
#ifndef CARTULAN_IO_FILTER_LOADER_H
#define CARTULAN_IO_FILTER_LOADER_H

#include <cstddef>

#include "io/filter_exports.h"
#include "io/transfer_state.h"

// The size of the filters' line buffers, set before the first filter is loaded.
constexpr int kFilterBufferSize = 32768;
// At most this many filters are listed.
constexpr int kMaxListedFilters = 31;
constexpr int kFilterDisplayNameSize = 128;

// A loaded filter and its exports (null where it has none).
struct LoadedFilter {
    void* library = nullptr;
    LoadRefProc loadRef = nullptr;
    SaveRefProc saveRef = nullptr;
    WhoAmIProc whoAmI = nullptr;
    GetSpecsProc getSpecs = nullptr;
    OptsProc opts = nullptr;
};

// The directory the filters are looked for in: the program's own, unless tests or tools
// named another with SetFilterDirectory. Empty when it cannot be told.
const char* FilterDirectory();
// Null or empty goes back to the program's directory.
void SetFilterDirectory(const char* directory);

// The file name of the filter that `name` means: a filter file of the filter directory
// whose name equals `name`, or `name` followed by ".FLT", ignoring case. False when there is
// none; names with a directory in them are refused.
bool ResolveFilterName(const char* name, char* out, std::size_t outSize);

// Sets the filters' buffer size, then loads `fileName` from the filter directory and looks
// up its exports. False when it does not load.
bool LoadFilter(const char* fileName, LoadedFilter& filter);
void UnloadFilter(LoadedFilter& filter);

// The modes of ListFilters.
enum FilterListMode {
    kListDefaultFormat = 0,  // filters that both load and save
    kListImport = 505,       // filters that load
    kListExport = 546,       // filters that save
    kListEvery = -1,         // every filter that names itself
};

struct FilterEntry {
    char fileName[kFilterNameSize] = "";
    char displayName[kFilterDisplayNameSize] = "";  // its WhoAmI text
    bool loads = false;
    bool saves = false;
    bool hasOptions = false;
};

// Lists the filters that fit `mode`, at most kMaxListedFilters, in the order they are found.
// Files that do not load, or whose names are too long to keep, are skipped. Returns how many
// were listed into `entries`.
int ListFilters(int mode, FilterEntry* entries, int capacity);

#endif
