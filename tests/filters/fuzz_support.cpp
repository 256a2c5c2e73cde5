#include "fuzz_support.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

std::string WriteScratch(const char* name, const uint8_t* data, size_t size)
{
    const std::string path = "/tmp/cartulan-filter-fuzz-" + std::to_string(getpid()) + "-" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    StopOnFault(out != nullptr && (size == 0 || std::fwrite(data, 1, size, out) == size),
                "cannot write a scratch file");
    std::fclose(out);
    return path;
}

FuzzedFilter LoadFuzzedFilter(int referOption)
{
    setenv("CARTULAN_CONFIG", WriteScratch("settings", nullptr, 0).c_str(), 1);
    SetBufSz(kProgramBufferSize);
    StopOnFault(SetConfigInt("Refer", "Opt", referOption) == 0, "cannot store the option");
    void* library = dlopen(FUZZED_FILTER, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        std::fprintf(stderr, "%s\n", dlerror());
    StopOnFault(library != nullptr, "the filter does not load");
    unlink(std::getenv("CARTULAN_CONFIG"));  // the option is read as the filter loads
    FuzzedFilter filter{reinterpret_cast<LoadRefProc>(dlsym(library, FILTER_LOAD_REF)),
                        reinterpret_cast<SaveRefProc>(dlsym(library, FILTER_SAVE_REF))};
    StopOnFault(filter.loadRef != nullptr, "no LoadRef");
    return filter;
}

std::vector<RecordCopy> LoadScratch(LoadRefProc loadRef, const uint8_t* data, size_t size,
                                    uint32_t* flags)
{
    const std::string path = WriteScratch("input", data, size);
    const std::vector<RecordCopy> records = References(LoadFile(loadRef, path, flags));
    unlink(path.c_str());
    return records;
}
