// The registry as other programs leave it (the store's own behaviour is config_store_test's,
// run here against the registry), and CARTIO.DLL as the program and the filters load it.
// Runs under Wine; everything it stores lies below one section of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cartio.h"

namespace {

const char kSection[] = "CartioTestRegistry";
const std::string kSectionPath = std::string("Software\\NWPL\\Cartulan\\") + kSection;

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

TEST_F(Registry, ReadsValuesStoredByOtherPrograms)
{
    StoreRaw(kSectionPath, "NoZero", REG_SZ, "abc");
    StoreRaw(kSectionPath, "Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
    EXPECT_EQ(Read("NoZero", 4), "abc");
    EXPECT_EQ(Read("NoZero", 3), "de") << "no room for the zero: the default, cut";
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
