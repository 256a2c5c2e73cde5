// What installers and the about box rely on: each deliverable carries its version resource,
// and the language library names its language.
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

struct VersionInfo {
    bool present = false;
    DWORD fileMS = 0, fileLS = 0, productMS = 0, productLS = 0;
    DWORD fileType = 0;
    std::vector<char> block;

    std::string Text(const char* name) const
    {
        char* value = nullptr;
        UINT length = 0;
        std::string key = std::string("\\StringFileInfo\\080904E4\\") + name;
        if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
            return "<missing>";
        return std::string(value);
    }
    DWORD Translation() const
    {
        WORD* pair = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                            reinterpret_cast<void**>(&pair), &length) || length < 4)
            return 0;
        return MAKELONG(pair[1], pair[0]);
    }
};

VersionInfo ReadVersion(const std::string& file)
{
    VersionInfo info;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
    if (!size)
        return info;
    info.block.resize(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, info.block.data()))
        return info;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.block.data(), "\\", reinterpret_cast<void**>(&fixed), &length))
        return info;
    info.present = true;
    info.fileMS = fixed->dwFileVersionMS;
    info.fileLS = fixed->dwFileVersionLS;
    info.productMS = fixed->dwProductVersionMS;
    info.productLS = fixed->dwProductVersionLS;
    info.fileType = fixed->dwFileType;
    return info;
}

// Versions as major.minor.third.fourth.
struct Numbers {
    WORD major, minor, third, fourth;
};

void ExpectFixedPart(const VersionInfo& v, Numbers file, Numbers product, DWORD fileType)
{
    EXPECT_EQ(v.fileMS, static_cast<DWORD>(MAKELONG(file.minor, file.major)));
    EXPECT_EQ(v.fileLS, static_cast<DWORD>(MAKELONG(file.fourth, file.third)));
    EXPECT_EQ(v.productMS, static_cast<DWORD>(MAKELONG(product.minor, product.major)));
    EXPECT_EQ(v.productLS, static_cast<DWORD>(MAKELONG(product.fourth, product.third)));
    EXPECT_EQ(v.fileType, fileType);
}

TEST(Deliverables, ProgramCarriesItsVersion)
{
    VersionInfo v = ReadVersion(BinDir() + "\\CARTUL32.EXE");
    ASSERT_TRUE(v.present);
    ExpectFixedPart(v, {7, 8, 0, 43}, {7, 8, 0, 0}, VFT_APP);
    EXPECT_EQ(v.Text("OriginalFilename"), "CARTUL32.EXE");
}

TEST(Deliverables, EnglishLanguageLibraryCarriesItsVersionAndLanguage)
{
    std::string path = BinDir() + "\\CTNEN.DLL";
    VersionInfo v = ReadVersion(path);
    ASSERT_TRUE(v.present);
    ExpectFixedPart(v, {7, 8, 0, 10}, {7, 8, 0, 0}, VFT_DLL);
    EXPECT_EQ(v.Text("FileDescription"), "English language library");
    EXPECT_EQ(v.Text("FileVersion"), "7.8.0.10");
    EXPECT_EQ(v.Text("InternalName"), "CTNEN.DLL");
    EXPECT_EQ(v.Text("OriginalFilename"), "CTNEN.DLL");
    EXPECT_EQ(v.Text("ProductName"), "Cartulan");
    EXPECT_EQ(v.Text("ProductVersion"), "7.8");
    EXPECT_EQ(v.Translation(), MAKELONG(1252, 0x0809));

    HMODULE library = LoadLibraryA(path.c_str());
    ASSERT_TRUE(library);
    auto describe = reinterpret_cast<DescribeProc>(
        reinterpret_cast<void*>(GetProcAddress(library, LANG_DESCRIBE_EXPORT)));
    ASSERT_TRUE(describe);
    EXPECT_STREQ(describe(), "UK English");
    EXPECT_TRUE(LoadMenuA(library, "MAIN"));
    FreeLibrary(library);
}

}  // namespace
