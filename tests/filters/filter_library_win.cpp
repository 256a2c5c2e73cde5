#include <windows.h>

#include "filter_library.h"

// The filters lie in build\win32\bin, beside the folder of the test programs.
std::string FilterPath(const std::string& fileName)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path);
    dir = dir.substr(0, dir.find_last_of('\\'));
    return dir.substr(0, dir.find_last_of('\\')) + "\\bin\\" + fileName;
}

namespace {

template <typename Proc>
Proc Export(void* handle, const char* name)
{
    return reinterpret_cast<Proc>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name)));
}

}  // namespace

FilterLibrary::FilterLibrary(const std::string& fileName)
{
    handle_ = LoadLibraryA(FilterPath(fileName).c_str());
    if (handle_ == nullptr)
        return;
    loadRef = Export<LoadRefProc>(handle_, FILTER_LOAD_REF);
    saveRef = Export<SaveRefProc>(handle_, FILTER_SAVE_REF);
    whoAmI = Export<WhoAmIProc>(handle_, FILTER_WHO_AM_I);
    getSpecs = Export<GetSpecsProc>(handle_, FILTER_GET_SPECS);
    opts = Export<OptsProc>(handle_, FILTER_OPTS);
}

FilterLibrary::~FilterLibrary()
{
    Unload();
}

void FilterLibrary::Unload()
{
    if (handle_ != nullptr)
        FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
    loadRef = nullptr;
    saveRef = nullptr;
    whoAmI = nullptr;
    getSpecs = nullptr;
    opts = nullptr;
}
