// Each filter carries its version resource: its own version as its options dialog shows it,
// the product version of the program it belongs to.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter_library.h"

namespace {

struct FilterVersion {
    const char* fileName;
    WORD file[4];
    const char* fileText;
};

const FilterVersion kVersions[] = {
    {"REFER.FLT", {1, 1, 0, 0}, "1.1.0.0"},
    {"PUBTAG.FLT", {3, 2, 1, 0}, "3.2.1.0"},
    {"CITADAT.FLT", {2, 3, 0, 0}, "2.3.0.0"},
    {"VITADEX.FLT", {0, 31, 0, 0}, "0.31.0.0"},
    {"RIS.FLT", {1, 0, 0, 0}, "1.0.0.0"},
    {"BIBTEX.FLT", {1, 0, 0, 0}, "1.0.0.0"},
};

std::string Text(const std::vector<char>& block, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    std::string key = std::string("\\StringFileInfo\\080904E4\\") + name;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
        return "<missing>";
    return value;
}

TEST(FilterVersions, EachFilterCarriesItsVersionAndTheProducts)
{
    for (const FilterVersion& version : kVersions) {
        SCOPED_TRACE(version.fileName);
        const std::string path = FilterPath(version.fileName);
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        ASSERT_GT(size, 0u);
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(version.file[1], version.file[0]));
        EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(version.file[3], version.file[2]));
        EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(8, 7));
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
        EXPECT_EQ(Text(block, "FileVersion"), version.fileText);
        EXPECT_EQ(Text(block, "OriginalFilename"), version.fileName);
        EXPECT_EQ(Text(block, "ProductName"), "Cartulan");
        EXPECT_EQ(Text(block, "ProductVersion"), "7.8");
    }
}

}  // namespace
