// The configuration store through its exports, the same on every platform: natively against a
// settings file in a temporary directory, under Wine against the registry. Every section used
// starts with "CartioTest" and is deleted afterwards.
#ifdef _WIN32
#include <windows.h>
#endif
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "cartio.h"
#include "test_files.h"

namespace {

constexpr int kReadBufferSize = 256;

class ConfigStore : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifndef _WIN32
        setenv("CARTULAN_CONFIG", Settings().c_str(), 1);
#endif
        SetINIFilePath("");
    }

    void TearDown() override
    {
        for (const std::string& section : sections_) {
            DeleteConfigTree(section.c_str());
            char names[kReadBufferSize];
            EXPECT_EQ(GetConfigStr(names, sizeof names, section.c_str(), nullptr, ""), 0)
                << section << " was left behind";
        }
        SetINIFilePath("");
    }

    const char* Section(const std::string& name)
    {
        sections_.push_back("CartioTest" + name);
        return sections_.back().c_str();
    }

    std::string Read(const char* section, const char* key, int size = kReadBufferSize,
                     const char* defaultText = "default")
    {
        std::vector<char> buffer(static_cast<size_t>(size));
        int length = GetConfigStr(buffer.data(), size, section, key, defaultText);
        std::string text = buffer.data();
        EXPECT_EQ(length, int(text.size()));
        return text;
    }

    std::string Settings() const { return dir_.Path("settings"); }

    TempDir dir_;

private:
    // A deque keeps the addresses of the names handed out as C strings.
    std::deque<std::string> sections_;
};

TEST_F(ConfigStore, ReadsAndStoresIntegersAsDecimalText)
{
    const struct {
        const char* stored;
        int expected;
    } cases[] = {
        {"-5", -5}, {"+7", 7}, {"  \t-12abc", -12}, {"word", 0}, {"0x1F", 0},
        {"-2147483648", INT_MIN}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"", 77},
    };
    const char* section = Section("Ints");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("stored \"") + c.stored + "\"");
        SetConfigStr(section, "value", c.stored);
        EXPECT_EQ(GetConfigInt(section, "value", 77), c.expected);
    }
    EXPECT_EQ(GetConfigInt(section, "missing", 77), 77);
    EXPECT_EQ(SetConfigInt(section, "min", INT_MIN), 0);
    EXPECT_EQ(Read(section, "min"), "-2147483648");
}

TEST_F(ConfigStore, DeliversTheDefaultForTextsThatDoNotFitAndForBadArguments)
{
    const char* section = Section("Limits");
    const std::string longest(kConfigMaxText, 'a');
    SetConfigStr(section, "longest", longest.c_str());
    SetConfigStr(section, "tooLong", std::string(kConfigMaxText + 1, 'b').c_str());
    SetConfigStr(section, "30", std::string(30, 'd').c_str());
    EXPECT_EQ(Read(section, "longest", 1000), longest);
    EXPECT_EQ(Read(section, "tooLong", 1000), "default");
    EXPECT_EQ(Read(section, "30", 30), "default") << "no room for the zero";
    EXPECT_EQ(Read(section, "30", 31), std::string(30, 'd'));
    // A default longer than the buffer is cut, never written past it.
    EXPECT_EQ(Read(section, "30", 4, "long default"), "lon");
    EXPECT_EQ(Read(section, "30", 1), "");
    // Bad arguments are refused, with the default where there is room for one.
    EXPECT_EQ(SetConfigStr(section, nullptr, "x"), -1);
    EXPECT_EQ(SetConfigStr("", "key", "x"), -1);
    EXPECT_EQ(DeleteConfigTree(nullptr), -1);
    EXPECT_EQ(GetConfigInt(nullptr, "key", 5), 5);
    char names[8];
    EXPECT_EQ(GetConfigStr(nullptr, 10, section, "key", "d"), 0);
    EXPECT_EQ(GetConfigStr(names, 0, section, "key", "d"), 0);
    EXPECT_EQ(GetConfigStr(names, sizeof names, section, "key", nullptr), 0);
    EXPECT_STREQ(names, "");
}

// A null key lists the value names; names that do not fit are left out.
TEST_F(ConfigStore, ListsTheValueNamesThatFit)
{
    const char* section = Section("Fit");
    SetConfigStr(section, "first", "1");
    SetConfigStr(section, "second", "2");
    SetConfigStr(section, "x", "3");
    // "first\0" and the closing zero need 7 bytes; "second\0" does not fit behind them, "x\0"
    // does.
    char names[10];
    memset(names, '#', sizeof names);
    EXPECT_EQ(GetConfigStr(names, sizeof names, section, nullptr, ""), 2);
    EXPECT_EQ(std::string(names, 9), std::string("first\0x\0\0", 9));
    EXPECT_EQ(names[9], '#') << "written past the list";
    char tiny[2];
    EXPECT_EQ(GetConfigStr(tiny, sizeof tiny, section, nullptr, "dflt"), 0);
    EXPECT_STREQ(tiny, "d");
    EXPECT_EQ(GetConfigStr(names, sizeof names, Section("NoSuch"), nullptr, "none"), 0);
    EXPECT_STREQ(names, "none");
}

TEST_F(ConfigStore, DeletesOneValueOrAWholeTree)
{
    const char* section = Section("Tree");
    SetConfigStr(section, "keep", "kept");
    SetConfigStr(section, "drop", "dropped");
    EXPECT_EQ(SetConfigStr(section, "drop", nullptr), 0);
    EXPECT_EQ(Read(section, "drop"), "default");
    EXPECT_EQ(Read(section, "keep"), "kept");
    const std::string deeper = std::string(section) + "\\Below\\Deeper";
    SetConfigStr(deeper.c_str(), "d", "2");
    const char* sibling = Section("TreeSibling");
    SetConfigStr(sibling, "s", "3");
    EXPECT_EQ(DeleteConfigTree(section), 0);
    EXPECT_EQ(Read(section, "keep"), "default");
    EXPECT_EQ(Read(deeper.c_str(), "d"), "default");
    EXPECT_EQ(Read(sibling, "s"), "3") << "a section whose name only starts alike stays";
    EXPECT_NE(DeleteConfigTree(section), 0) << "already gone";
}

// Sections and keys match without regard to case; texts are kept byte for byte.
TEST_F(ConfigStore, KeepsTextsByteForByteUnderNamesOfAnyCase)
{
    const char* section = Section("Bytes]");
    std::string upper = section;
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    const char* const texts[] = {"", "  leading and trailing  ", "a=b; [c] #d",
                                 "line one\r\nline two \\x41 back\\slash", "\t\xE9\xFC\x7F\x01"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(SetConfigStr(section, "Text =[#\\", text), 0);
        EXPECT_EQ(Read(upper.c_str(), "TEXT =[#\\"), text);
    }
    char names[kReadBufferSize];
    EXPECT_EQ(GetConfigStr(names, sizeof names, section, nullptr, ""), 1);
}

// The INI functions write nothing without a path, and use the file at the path set (cut to
// 259 characters), apart from the per-user store.
TEST_F(ConfigStore, IniFunctionsUseTheFileAtThePathSet)
{
    EXPECT_EQ(SetConfigStr16("Files", "Format", "x"), -1);
    EXPECT_EQ(GetConfigInt16("Files", "Backup", 3), 3);
    const std::string path = dir_.Path("cartulan.ini");
    SetINIFilePath(path.c_str());
    const char* files = Section("IniFiles");
    const char* display = Section("IniDisplay");
    EXPECT_EQ(SetConfigStr16(files, "Format", "REFER.FLT"), 0);
    EXPECT_EQ(SetConfigInt16(files, "Backup", -5), 0);
    EXPECT_EQ(SetConfigStr16(display, "List", "242"), 0);
    EXPECT_EQ(GetConfigInt16(files, "Backup", 1), -5);
    char text[64];
    EXPECT_EQ(GetConfigStr16(text, 6, files, "Format", ""), 5) << "INI texts are cut";
    EXPECT_STREQ(text, "REFER");
    EXPECT_EQ(GetConfigStr16(text, sizeof text, files, nullptr, ""), 14);
    EXPECT_EQ(std::string(text, 15), std::string("Format\0Backup\0\0", 15));
    EXPECT_EQ(DeleteConfigTree16(files), 0);
    EXPECT_EQ(GetConfigInt16(files, "Backup", 1), 1);
    EXPECT_EQ(GetConfigInt16(display, "List", 0), 242);
    EXPECT_EQ(GetConfigStr(text, sizeof text, display, "List", "none"), 4);

    const std::string tooLong(300, 'p');
    SetINIFilePath(tooLong.c_str());
    EXPECT_EQ(std::string(GetINIFilePath()), tooLong.substr(0, 259));
}

// The per-user settings file that stands in for the registry off Windows.
#ifndef _WIN32
namespace fs = std::filesystem;

TEST_F(ConfigStore, UserFileReadsFilesEditedByHand)
{
    WriteBytes(Settings(),
               "orphan=before any section\n"
               "[Files]\r\n"
               "Format = spaced \r\n"
               "not a value line\n"
               "Format=second occurrence\n"
               "bad escape=\\q\\x4\\x00\\xZZ\n"
               "[Display]\n"
               "List=242\n"
               "[files]\n"
               "Backup=0\n"
               "[unclosed\n"
               "Lost=1\n");
    EXPECT_EQ(Read("Files", "Format "), " spaced ");
    EXPECT_EQ(Read("Files", "Format"), "second occurrence");
    EXPECT_EQ(Read("Files", "bad escape"), "\\q\\x4\\x00\\xZZ");
    EXPECT_EQ(Read("Files", "Backup"), "0") << "a repeated section adds to the first";
    EXPECT_EQ(GetConfigInt("Display", "List", 0), 242);
    EXPECT_EQ(Read("unclosed", "Lost"), "default");
    EXPECT_EQ(Read("Files", "orphan"), "default");
}

TEST_F(ConfigStore, UserFileIsReplacedWholeByRenameKeepingItsPermissions)
{
    SetConfigStr("Files", "Format", "REFER.FLT");
    ASSERT_EQ(chmod(Settings().c_str(), 0640), 0);
    struct stat before;
    ASSERT_EQ(stat(Settings().c_str(), &before), 0);

    EXPECT_EQ(SetConfigStr("Files", "Format", "PUBTAG.FLT"), 0);
    struct stat after;
    ASSERT_EQ(stat(Settings().c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "written in place, not replaced";
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.root), fs::directory_iterator()), 1)
        << "a temporary file was left behind";

    // Storing the text a value already holds leaves the file alone.
    EXPECT_EQ(SetConfigStr("Files", "Format", "PUBTAG.FLT"), 0);
    struct stat same;
    ASSERT_EQ(stat(Settings().c_str(), &same), 0);
    EXPECT_EQ(same.st_ino, after.st_ino);
}

TEST_F(ConfigStore, UserFileFollowsASymbolicLinkToTheRealFile)
{
    const std::string real = dir_.Path("real-settings");
    WriteBytes(real, "[Files]\nFormat=REFER.FLT\n");
    fs::create_symlink(real, Settings());
    EXPECT_EQ(SetConfigStr("Files", "Backup", "0"), 0);
    EXPECT_TRUE(fs::is_symlink(Settings()));
    EXPECT_EQ(Read("Files", "Format"), "REFER.FLT");
    EXPECT_NE(ReadBytes(real).find("Backup=0"), std::string::npos);
}

TEST_F(ConfigStore, UserFileAnUnreadableStoreGivesDefaultsAndRefusesWrites)
{
    fs::create_directory(Settings());
    EXPECT_EQ(GetConfigInt("Files", "Backup", 7), 7);
    EXPECT_NE(SetConfigStr("Files", "Backup", "0"), 0);
    EXPECT_NE(DeleteConfigTree("Files"), 0);
    EXPECT_TRUE(fs::is_directory(Settings()));

    const std::string underFile = dir_.Path("plain") + "/settings";
    WriteBytes(dir_.Path("plain"), "not a directory");
    setenv("CARTULAN_CONFIG", underFile.c_str(), 1);
    EXPECT_NE(SetConfigStr("Files", "Backup", "0"), 0);
    EXPECT_EQ(Read("Files", "Backup"), "default");
    EXPECT_EQ(ReadBytes(dir_.Path("plain")), "not a directory");
}

TEST_F(ConfigStore, UserFileLivesInTheUserConfigurationDirectoryByDefault)
{
    unsetenv("CARTULAN_CONFIG");
    setenv("XDG_CONFIG_HOME", dir_.Path("config").c_str(), 1);
    EXPECT_EQ(SetConfigStr("Files", "Format", "REFER.FLT"), 0);
    EXPECT_TRUE(fs::exists(dir_.Path("config/cartulan/settings")));
    EXPECT_EQ(Read("Files", "Format"), "REFER.FLT");
    unsetenv("XDG_CONFIG_HOME");
}
#endif

// The registry as other programs leave it, and CARTIO.DLL as the program and the filters load
// it.
#ifdef _WIN32
// Stores a value as another program might: any type, any bytes, no terminating zero.
void StoreRaw(const char* section, const char* name, DWORD type, const std::string& bytes)
{
    HKEY key;
    const std::string path = std::string("Software\\NWPL\\Cartulan\\") + section;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(ConfigStore, RegistryValuesStoredByOtherProgramsAreRead)
{
    const char* section = Section("Registry");
    StoreRaw(section, "NoZero", REG_SZ, "abc");
    StoreRaw(section, "Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
    EXPECT_EQ(Read(section, "NoZero", 4), "abc");
    EXPECT_EQ(Read(section, "NoZero", 3), "de") << "no room for the zero: the default, cut";
    EXPECT_EQ(Read(section, "Expand"), "%TEMP%\\x") << "stored types are not checked";
    // Only value names within the read limit are listed.
    StoreRaw(section, std::string(300, 'n').c_str(), REG_SZ, std::string("1\0", 2));
    char names[1024];
    EXPECT_EQ(GetConfigStr(names, sizeof names, section, nullptr, ""), 2);
    const std::string list(names, 15);
    EXPECT_TRUE(list == std::string("NoZero\0Expand\0\0", 15) ||
                list == std::string("Expand\0NoZero\0\0", 15));
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
#endif

}  // namespace
