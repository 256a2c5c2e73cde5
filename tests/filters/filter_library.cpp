#include "filter_library.h"

#include "io/platform_files.h"

// CARTULAN_FILTER_DIR is written with "/"; the platform's loader wants its own separator.
std::string FilterPath(const std::string& fileName)
{
    std::string path = std::string(CARTULAN_FILTER_DIR) + "/" + fileName;
    for (char& c : path) {
        if (c == '/')
            c = kPathSeparator;
    }
    return path;
}

namespace {

template <typename Proc>
Proc Export(void* handle, const char* name)
{
    return reinterpret_cast<Proc>(LibraryExport(handle, name));
}

}  // namespace

// Loaded with the engine's own loader, but without setting the filters' buffer size first:
// some tests need to see a filter refuse to serve without it.
FilterLibrary::FilterLibrary(const std::string& fileName)
{
    handle_ = OpenLibraryAt(FilterPath(fileName).c_str());
    if (handle_ == nullptr)
        return;
    loadRef = Export<LoadRefProc>(handle_, FILTER_LOAD_REF);
    saveRef = Export<SaveRefProc>(handle_, FILTER_SAVE_REF);
    opts = Export<OptsProc>(handle_, FILTER_OPTS);
}

FilterLibrary::~FilterLibrary()
{
    Unload();
}

void FilterLibrary::Unload()
{
    if (handle_ != nullptr)
        CloseLibrary(handle_);
    handle_ = nullptr;
}
