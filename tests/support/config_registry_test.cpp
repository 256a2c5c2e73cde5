// The configuration store in the registry, and CARTIO.DLL as the program and the filters load
// it. Runs under Wine; everything it stores lies below one section of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cartio.h"

namespace {

const char kSection[] = "CartioTestRegistry";
const std::string kSectionPath = std::string("Software\\NWPL\\Cartulan\\") + kSection;

struct StoredValue {
    bool found;
    DWORD type;
    std::string bytes;
};

StoredValue QueryValue(const std::string& keyPath, const char* name)
{
    StoredValue value{false, 0, std::string()};
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    char data[1024];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size)
        == ERROR_SUCCESS) {
        value.found = true;
        value.bytes.assign(data, size);
    }
    RegCloseKey(key);
    return value;
}

bool KeyExists(const std::string& keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Stores a value as another program might: any type, any bytes, no terminating zero.
void StoreRaw(const std::string& keyPath, const char* name, DWORD type, const std::string& bytes)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    RegCloseKey(key);
}

std::string Read(const char* key, int size = 256)
{
    std::vector<char> text(static_cast<size_t>(size));
    GetConfigStr(text.data(), size, kSection, key, "default");
    return text.data();
}

class Registry : public ::testing::Test {
protected:
    void TearDown() override
    {
        DeleteConfigTree(kSection);
        EXPECT_FALSE(KeyExists(kSectionPath)) << "the test section was left behind";
    }
};

TEST_F(Registry, StoresStringValuesWithTheirZeroBelowTheUsersKey)
{
    EXPECT_EQ(SetConfigStr(kSection, "Format", "REFER.FLT"), ERROR_SUCCESS);
    EXPECT_EQ(SetConfigInt(kSection, "Backup", -5), ERROR_SUCCESS);
    EXPECT_EQ(SetConfigStr(kSection, "Empty", ""), ERROR_SUCCESS);
    StoredValue format = QueryValue(kSectionPath, "Format");
    ASSERT_TRUE(format.found);
    EXPECT_EQ(format.type, DWORD(REG_SZ));
    EXPECT_EQ(format.bytes, std::string("REFER.FLT\0", 10));
    StoredValue backup = QueryValue(kSectionPath, "Backup");
    EXPECT_EQ(backup.type, DWORD(REG_SZ));
    EXPECT_EQ(backup.bytes, std::string("-5\0", 3));
    EXPECT_EQ(QueryValue(kSectionPath, "Empty").bytes, std::string("\0", 1));

    EXPECT_EQ(SetConfigStr(kSection, "Format", nullptr), ERROR_SUCCESS);
    EXPECT_FALSE(QueryValue(kSectionPath, "Format").found);
    EXPECT_EQ(SetConfigStr(kSection, "Format", nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ReadsValuesStoredByOtherPrograms)
{
    StoreRaw(kSectionPath, "NoZero", REG_SZ, "abc");
    StoreRaw(kSectionPath, "Longest", REG_SZ, std::string(254, 'a'));
    StoreRaw(kSectionPath, "TooLong", REG_SZ, std::string(255, 'b'));
    StoreRaw(kSectionPath, "Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
    EXPECT_EQ(Read("NoZero"), "abc");
    EXPECT_EQ(Read("NoZero", 4), "abc");
    EXPECT_EQ(Read("NoZero", 3), "de") << "no room for the zero: the default, cut";
    EXPECT_EQ(Read("Longest"), std::string(254, 'a'));
    EXPECT_EQ(Read("TooLong"), "default");
    EXPECT_EQ(Read("Expand"), "%TEMP%\\x") << "stored types are not checked";
}

TEST_F(Registry, DeletesSubkeysDepthFirstThenTheSection)
{
    SetConfigStr(kSection, "value", "1");
    StoreRaw(kSectionPath + "\\A\\B", "deep", REG_SZ, std::string("2\0", 2));
    StoreRaw(kSectionPath + "\\C", "side", REG_SZ, std::string("3\0", 2));
    ASSERT_TRUE(KeyExists(kSectionPath + "\\A\\B"));
    EXPECT_EQ(DeleteConfigTree(kSection), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(kSectionPath));
    EXPECT_TRUE(KeyExists("Software\\NWPL\\Cartulan"));
    EXPECT_EQ(DeleteConfigTree(kSection), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ListsOnlyValueNamesWithinTheReadLimit)
{
    const std::string longName(300, 'n');
    StoreRaw(kSectionPath, longName.c_str(), REG_SZ, std::string("1\0", 2));
    SetConfigStr(kSection, "short", "2");
    char names[1024];
    EXPECT_EQ(GetConfigStr(names, sizeof names, kSection, nullptr, ""), 1);
    EXPECT_EQ(std::string(names, 7), std::string("short\0\0", 7));
}

TEST(CartioDll, ExportsEveryFunctionUnderItsPlainName)
{
    HMODULE linked = GetModuleHandleA("CARTIO.DLL");
    ASSERT_NE(linked, nullptr);
    const char* names[] = {
        "GetConfigInt", "GetConfigStr", "SetConfigInt", "SetConfigStr", "DeleteConfigTree",
        "GetConfigInt16", "GetConfigStr16", "SetConfigInt16", "SetConfigStr16",
        "DeleteConfigTree16", "GetINIFilePath", "SetINIFilePath", "OpenLineFile",
        "AdvanceLineFile", "CloseLineFile", "ReadLine", "ReadLineLimited", "WriteLine",
        "vMMIOprintf", "SetBufSz", "GetBufSz",
    };
    for (const char* name : names)
        EXPECT_NE(GetProcAddress(linked, name), nullptr) << name;
    EXPECT_EQ(GetProcAddress(linked, "_GetConfigInt"), nullptr);
}

// A filter loaded at run time reaches the same library instance as the program that links it.
TEST(CartioDll, IsOneInstancePerProcess)
{
    HMODULE loaded = LoadLibraryA("CARTIO.DLL");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded, GetModuleHandleA("CARTIO.DLL"));
    using SetBufSzFunction = int(__cdecl*)(int);
    auto setBufSz = reinterpret_cast<SetBufSzFunction>(
        reinterpret_cast<void*>(GetProcAddress(loaded, "SetBufSz")));
    ASSERT_NE(setBufSz, nullptr);
    EXPECT_EQ(setBufSz(32768), 32768);
    EXPECT_EQ(GetBufSz(), 32768);
    FreeLibrary(loaded);
}

TEST(CartioDll, CarriesItsFileAndProductVersions)
{
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("CARTIO.DLL"), path, sizeof path), 0u);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length));
    EXPECT_EQ(info->dwFileVersionMS, DWORD(MAKELONG(2, 1)));
    EXPECT_EQ(info->dwFileVersionLS, 0u);
    EXPECT_EQ(info->dwProductVersionMS, DWORD(MAKELONG(8, 7)));
    EXPECT_EQ(info->dwProductVersionLS, 0u);
    EXPECT_EQ(info->dwFileType, DWORD(VFT_DLL));
}

}  // namespace
