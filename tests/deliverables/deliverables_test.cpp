// What the about box and the language dialog read from the deliverables: the version of the
// program and of the language library, and the language's name.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "describe.h"

namespace {

std::string BinDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path);
    dir = dir.substr(0, dir.find_last_of('\\'));            // build\win32\tests
    return dir.substr(0, dir.find_last_of('\\')) + "\\bin";  // build\win32\bin
}

// "7.8.0.43 7.8" from the fixed file and product versions, and the "FileVersion" text.
std::string Versions(const std::string& file)
{
    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(file.c_str(), &handle));
    if (block.empty() || !GetFileVersionInfoA(file.c_str(), 0, block.size(), block.data()))
        return "<none>";
    VS_FIXEDFILEINFO* fixed = nullptr;
    char* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        !VerQueryValueA(block.data(), "\\StringFileInfo\\080904E4\\FileVersion",
                        reinterpret_cast<void**>(&text), &length))
        return "<incomplete>";
    char out[64];
    wsprintfA(out, "%u.%u.%u.%u %u.%u %s", HIWORD(fixed->dwFileVersionMS),
              LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
              LOWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
              LOWORD(fixed->dwProductVersionMS), text);
    return out;
}

TEST(Deliverables, CarryTheirVersionsAndTheLanguageItsName)
{
    EXPECT_EQ(Versions(BinDir() + "\\CARTUL32.EXE"), "7.8.0.43 7.8 7.8.0.43");
    EXPECT_EQ(Versions(BinDir() + "\\CTNEN.DLL"), "7.8.0.10 7.8 7.8.0.10");
    HMODULE library = LoadLibraryA((BinDir() + "\\CTNEN.DLL").c_str());
    ASSERT_TRUE(library);
    auto describe = reinterpret_cast<DescribeProc>(
        reinterpret_cast<void*>(GetProcAddress(library, LANG_DESCRIBE_EXPORT)));
    ASSERT_TRUE(describe);
    EXPECT_STREQ(describe(), "UK English");
    FreeLibrary(library);
}

}  // namespace
