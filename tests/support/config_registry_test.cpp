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
    EXPECT_EQ(SetConfigInt(kSection, "Backup", -5), ERROR_SUCCESS);
    StoredValue backup = QueryValue(kSectionPath, "Backup");
    EXPECT_EQ(backup.type, DWORD(REG_SZ));
    EXPECT_EQ(backup.bytes, std::string("-5\0", 3));
    EXPECT_EQ(SetConfigStr(kSection, "Backup", nullptr), ERROR_SUCCESS);
    EXPECT_FALSE(QueryValue(kSectionPath, "Backup").found);
    EXPECT_EQ(SetConfigStr(kSection, "Backup", nullptr), ERROR_FILE_NOT_FOUND);
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

TEST_F(Registry, ListsOnlyValueNamesWithinTheReadLimit)
{
    const std::string longName(300, 'n');
    StoreRaw(kSectionPath, longName.c_str(), REG_SZ, std::string("1\0", 2));
    SetConfigStr(kSection, "short", "2");
    char names[1024];
    EXPECT_EQ(GetConfigStr(names, sizeof names, kSection, nullptr, ""), 1);
    EXPECT_EQ(std::string(names, 7), std::string("short\0\0", 7));
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

}  // namespace
