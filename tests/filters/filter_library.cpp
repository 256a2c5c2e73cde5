#include "filter_library.h"

#include <dlfcn.h>

std::string FilterPath(const std::string& fileName)
{
    return std::string(CARTULAN_FILTER_DIR) + "/" + fileName;
}

namespace {

template <typename Proc>
Proc Export(void* handle, const char* name)
{
    return reinterpret_cast<Proc>(dlsym(handle, name));
}

}  // namespace

FilterLibrary::FilterLibrary(const std::string& fileName)
{
    handle_ = dlopen(FilterPath(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
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
        dlclose(handle_);
    handle_ = nullptr;
    loadRef = nullptr;
    saveRef = nullptr;
    whoAmI = nullptr;
    getSpecs = nullptr;
    opts = nullptr;
}
