// What the program and the language dialog read from a language library before they use it:
// the language name from `Describe`, the version resource, and resources in the library's
// language only. A language library is resources and one export: it has no entry point, so
// loading it runs none of its code.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "describe.h"
#include "loaded_module.h"

namespace {

using lang_test::LoadedModule;

struct ExpectedVersion {
    const char* label;
    std::string path;
    WORD file[4];
    WORD product[4];
    const char* description;
    const char* fileVersion;
    const char* fileName;
    const char* productVersion;
    const char* language;  // what Describe returns
};

std::vector<ExpectedVersion> LanguageLibraries()
{
    return {
        {"English", lang_test::EnglishLibraryPath(), {7, 8, 0, 10}, {7, 8, 0, 0},
         "English language library", "7.8.0.10", "CTNEN.DLL", "7.8", "UK English"},
        {"test", lang_test::TestLibraryPath(), {7, 7, 0, 0}, {7, 7, 0, 0},
         "Test language library", "7.7.0.0", "CTNTEST.DLL", "7.7", "Test language"},
    };
}

std::string VersionText(const std::vector<char>& block, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    std::string key = std::string("\\StringFileInfo\\080904E4\\") + name;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value)
        return "<missing>";
    return value;
}

TEST(LanguageLibraries, VersionResourcesReadBack)
{
    for (const ExpectedVersion& expected : LanguageLibraries()) {
        SCOPED_TRACE(expected.label);
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(expected.path.c_str(), &handle);
        ASSERT_GT(size, 0u);
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(expected.path.c_str(), 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(expected.file[1], expected.file[0]));
        EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(expected.file[3], expected.file[2]));
        EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(expected.product[1], expected.product[0]));
        EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(expected.product[3], expected.product[2]));
        EXPECT_EQ(fixed->dwFileType, DWORD(VFT_DLL));
        EXPECT_EQ(fixed->dwFileOS, DWORD(VOS__WINDOWS32));

        EXPECT_EQ(VersionText(block, "FileDescription"), expected.description);
        EXPECT_EQ(VersionText(block, "FileVersion"), expected.fileVersion);
        EXPECT_EQ(VersionText(block, "InternalName"), expected.fileName);
        EXPECT_EQ(VersionText(block, "OriginalFilename"), expected.fileName);
        EXPECT_EQ(VersionText(block, "ProductName"), "Cartulan");
        EXPECT_EQ(VersionText(block, "ProductVersion"), expected.productVersion);

        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length));
        ASSERT_EQ(length, 4u);
        EXPECT_EQ(translation[0], 0x0809);
        EXPECT_EQ(translation[1], 1252);
    }
}

TEST(LanguageLibraries, DescribeNamesTheLanguage)
{
    for (const ExpectedVersion& expected : LanguageLibraries()) {
        SCOPED_TRACE(expected.label);
        LoadedModule library(expected.path);
        ASSERT_TRUE(library);
        auto describe = reinterpret_cast<DescribeProc>(
            reinterpret_cast<void*>(GetProcAddress(library.get(), LANG_DESCRIBE_EXPORT)));
        ASSERT_TRUE(describe);
        const char* name = describe();
        EXPECT_STREQ(name, expected.language);
        // The text is a constant of the library: the same pointer on every call.
        EXPECT_EQ(describe(), name);
    }
}

const IMAGE_NT_HEADERS* NtHeaders(HMODULE module)
{
    const BYTE* base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
}

std::vector<std::string> ExportNames(HMODULE module)
{
    std::vector<std::string> names;
    const IMAGE_NT_HEADERS* nt = NtHeaders(module);
    if (!nt)
        return names;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!dir.VirtualAddress)
        return names;
    const BYTE* base = reinterpret_cast<const BYTE*>(module);
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.push_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    return names;
}

std::vector<std::string> ImportedLibraries(HMODULE module)
{
    std::vector<std::string> names;
    const IMAGE_NT_HEADERS* nt = NtHeaders(module);
    if (!nt)
        return {"<no headers>"};
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return names;
    const BYTE* base = reinterpret_cast<const BYTE*>(module);
    auto descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; descriptor->Name; ++descriptor)
        names.push_back(reinterpret_cast<const char*>(base + descriptor->Name));
    return names;
}

TEST(LanguageLibraries, ExportOnlyDescribeAndRunNoCodeWhenLoaded)
{
    for (const ExpectedVersion& expected : LanguageLibraries()) {
        SCOPED_TRACE(expected.label);
        LoadedModule library(expected.path);
        ASSERT_TRUE(library);
        const IMAGE_NT_HEADERS* nt = NtHeaders(library.get());
        ASSERT_TRUE(nt);
        EXPECT_EQ(nt->OptionalHeader.AddressOfEntryPoint, 0u);
        EXPECT_EQ(ExportNames(library.get()), std::vector<std::string>{LANG_DESCRIBE_EXPORT});
        // No runtime, no imports: nothing else is loaded with it.
        EXPECT_EQ(ImportedLibraries(library.get()), std::vector<std::string>{});
    }
}

// --- Resource languages ------------------------------------------------------------------------

struct ResourceLanguages {
    std::set<WORD> languages;
    int count = 0;
};

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param)
{
    auto* found = reinterpret_cast<ResourceLanguages*>(param);
    found->languages.insert(language);
    ++found->count;
    return TRUE;
}

BOOL CALLBACK CollectNames(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    EnumResourceLanguagesA(module, type, name, CollectLanguage, param);
    return TRUE;
}

BOOL CALLBACK CollectTypes(HMODULE module, LPSTR type, LONG_PTR param)
{
    EnumResourceNamesA(module, type, CollectNames, param);
    return TRUE;
}

TEST(LanguageLibraries, EveryResourceIsEnglishUnitedKingdom)
{
    const WORD ukEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);
    const std::string paths[] = {lang_test::EnglishLibraryPath(), lang_test::TestLibraryPath(),
                                 lang_test::ProgramPath()};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        LoadedModule module(path, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module);
        ResourceLanguages found;
        EnumResourceTypesA(module.get(), CollectTypes, reinterpret_cast<LONG_PTR>(&found));
        EXPECT_GE(found.count, 3);
        EXPECT_EQ(found.languages, std::set<WORD>{ukEnglish});
    }
}

}  // namespace
