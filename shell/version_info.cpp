#include "version_info.h"

#include <vector>

std::string ModulePath(HMODULE module)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    return std::string(path, length);
}

std::string ProgramFolder()
{
    std::string path = ModulePath(nullptr);
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool ReadFixedVersion(const std::string& path, VS_FIXEDFILEINFO& version)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof *fixed)
        return false;
    version = *fixed;
    return true;
}
