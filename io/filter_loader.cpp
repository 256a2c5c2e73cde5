#include "io/filter_loader.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cartio.h"
#include "store/text/text_rules.h"
#include "io/platform_files.h"

namespace {

constexpr char kFilterExtension[] = ".FLT";

char g_filterDirectory[kPathSize] = "";

template <typename Proc>
Proc ExportOf(void* library, const char* name)
{
    return reinterpret_cast<Proc>(LibraryExport(library, name));
}

bool HasDirectory(const char* name)
{
    for (const char* c = name; *c != '\0'; ++c)
        if (IsPathSeparator(*c) || *c == ':') return true;
    return false;
}

bool FitsMode(const LoadedFilter& filter, int mode)
{
    switch (mode) {
    case kListDefaultFormat: return filter.loadRef != nullptr && filter.saveRef != nullptr;
    case kListImport: return filter.loadRef != nullptr;
    case kListExport: return filter.saveRef != nullptr;
    case kListEvery: return true;
    default: return false;
    }
}

}  // namespace

const char* FilterDirectory()
{
    if (g_filterDirectory[0] == '\0' && !ProgramDirectory(g_filterDirectory, kPathSize))
        g_filterDirectory[0] = '\0';
    return g_filterDirectory;
}

void SetFilterDirectory(const char* directory)
{
    std::snprintf(g_filterDirectory, kPathSize, "%s", directory != nullptr ? directory : "");
}

bool ResolveFilterName(const char* name, char* out, std::size_t outSize)
{
    if (name == nullptr || name[0] == '\0' || HasDirectory(name)) return false;
    const std::string withExtension = std::string(name) + kFilterExtension;
    for (const std::string& file : FilesWithExtension(FilterDirectory(), kFilterExtension)) {
        if (CompareTextI(file.c_str(), name) != 0 &&
            CompareTextI(file.c_str(), withExtension.c_str()) != 0)
            continue;
        if (file.size() >= outSize) return false;
        std::strcpy(out, file.c_str());
        return true;
    }
    return false;
}

bool LoadFilter(const char* fileName, LoadedFilter& filter)
{
    filter = LoadedFilter();
    if (fileName == nullptr || fileName[0] == '\0' || HasDirectory(fileName)) return false;
    // A filter allocates its buffers when it loads and refuses to load without a size.
    SetBufSz(kFilterBufferSize);
    const std::string path = std::string(FilterDirectory()) + kPathSeparator + fileName;
    filter.library = OpenLibraryAt(path.c_str());
    if (filter.library == nullptr) return false;
    filter.loadRef = ExportOf<LoadRefProc>(filter.library, FILTER_LOAD_REF);
    filter.saveRef = ExportOf<SaveRefProc>(filter.library, FILTER_SAVE_REF);
    filter.whoAmI = ExportOf<WhoAmIProc>(filter.library, FILTER_WHO_AM_I);
    filter.getSpecs = ExportOf<GetSpecsProc>(filter.library, FILTER_GET_SPECS);
    filter.opts = ExportOf<OptsProc>(filter.library, FILTER_OPTS);
    return true;
}

void UnloadFilter(LoadedFilter& filter)
{
    CloseLibrary(filter.library);
    filter = LoadedFilter();
}

int ListFilters(int mode, FilterEntry* entries, int capacity)
{
    if (entries == nullptr) return 0;
    const int limit = capacity < kMaxListedFilters ? capacity : kMaxListedFilters;
    int count = 0;
    for (const std::string& file : FilesWithExtension(FilterDirectory(), kFilterExtension)) {
        if (count >= limit) break;
        if (file.size() >= static_cast<std::size_t>(kFilterNameSize)) continue;
        LoadedFilter filter;
        if (!LoadFilter(file.c_str(), filter)) continue;
        if (FitsMode(filter, mode) && filter.whoAmI != nullptr) {
            FilterEntry& entry = entries[count++];
            entry = FilterEntry();
            std::strcpy(entry.fileName, file.c_str());
            const char* name = filter.whoAmI();
            std::snprintf(entry.displayName, sizeof entry.displayName, "%s",
                          name != nullptr ? name : "");
            entry.loads = filter.loadRef != nullptr;
            entry.saves = filter.saveRef != nullptr;
            entry.hasOptions = filter.opts != nullptr;
        }
        UnloadFilter(filter);
    }
    return count;
}
