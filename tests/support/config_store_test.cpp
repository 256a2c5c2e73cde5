// The configuration store through its exports, the same on every platform: natively against a
// settings file in a temporary directory, under Wine against the registry. Every section used
// starts with "CartioTest" and is deleted afterwards.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <deque>
#include <cstdlib>
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
        setenv("CARTULAN_CONFIG", dir_.Path("settings").c_str(), 1);
#endif
        SetINIFilePath("");
    }

    void TearDown() override
    {
        for (const std::string& section : sections_)
            DeleteConfigTree(section.c_str());
        for (const std::string& section : sections_) {
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

    TempDir dir_;

private:
    // A deque keeps the addresses of the names handed out as C strings.
    std::deque<std::string> sections_;
};

TEST_F(ConfigStore, ReadsIntegersAsTheStoredTextSays)
{
    struct IntCase {
        const char* stored;
        int expected;
    };
    const IntCase cases[] = {
        {"42", 42},
        {"-5", -5},
        {"+7", 7},
        {"  \t-12abc", -12},
        {"word", 0},
        {"-", 0},
        {"12 34", 12},
        {"0x1F", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"", 77},
    };
    const char* section = Section("Ints");
    for (const IntCase& c : cases) {
        SCOPED_TRACE(std::string("stored \"") + c.stored + "\"");
        SetConfigStr(section, "value", c.stored);
        EXPECT_EQ(GetConfigInt(section, "value", 77), c.expected);
    }
    EXPECT_EQ(GetConfigInt(section, "missing", 77), 77);
    EXPECT_EQ(GetConfigInt(Section("Missing"), "value", -9), -9);
}

TEST_F(ConfigStore, StoresIntegersAsDecimalText)
{
    const char* section = Section("IntText");
    EXPECT_EQ(SetConfigInt(section, "neg", -5), 0);
    EXPECT_EQ(SetConfigInt(section, "min", INT_MIN), 0);
    EXPECT_EQ(Read(section, "neg"), "-5");
    EXPECT_EQ(Read(section, "min"), "-2147483648");
    EXPECT_EQ(GetConfigInt(section, "min", 0), INT_MIN);
}

TEST_F(ConfigStore, DeliversTheDefaultForTextsThatDoNotFit)
{
    const char* section = Section("Limits");
    const std::string longest(kConfigMaxText, 'a');
    SetConfigStr(section, "longest", longest.c_str());
    SetConfigStr(section, "tooLong", std::string(kConfigMaxText + 1, 'b').c_str());
    SetConfigStr(section, "300", std::string(300, 'c').c_str());
    SetConfigStr(section, "30", std::string(30, 'd').c_str());

    EXPECT_EQ(Read(section, "longest"), longest);
    EXPECT_EQ(Read(section, "longest", 1000), longest);
    EXPECT_EQ(Read(section, "tooLong", 1000), "default");
    EXPECT_EQ(Read(section, "300", 1000), "default");
    EXPECT_EQ(Read(section, "30", 20), "default");
    EXPECT_EQ(Read(section, "30", 30), "default") << "no room for the zero";
    EXPECT_EQ(Read(section, "30", 31), std::string(30, 'd'));
    // A default longer than the buffer is cut, never written past it.
    EXPECT_EQ(Read(section, "300", 4, "long default"), "lon");
    EXPECT_EQ(Read(section, "30", 1), "");
}

TEST_F(ConfigStore, ListsValueNamesWithANullKey)
{
    const char* section = Section("Names");
    SetConfigStr(section, "a", "1");
    SetConfigStr(section, "b", "2");
    char names[64];
    memset(names, 'x', sizeof names);
    EXPECT_EQ(GetConfigStr(names, sizeof names, section, nullptr, "none"), 2);
    EXPECT_EQ(std::string(names, 5), std::string("a\0b\0\0", 5));

    memset(names, 'x', sizeof names);
    EXPECT_EQ(GetConfigStr(names, sizeof names, Section("NoSuch"), nullptr, "none"), 0);
    EXPECT_STREQ(names, "none");
}

TEST_F(ConfigStore, LeavesOutNamesThatDoNotFit)
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
}

TEST_F(ConfigStore, DeletesOneValueOrAWholeTree)
{
    const char* section = Section("Tree");
    SetConfigStr(section, "keep", "kept");
    SetConfigStr(section, "drop", "dropped");
    EXPECT_EQ(SetConfigStr(section, "drop", nullptr), 0);
    EXPECT_EQ(Read(section, "drop"), "default");
    EXPECT_EQ(Read(section, "keep"), "kept");
    EXPECT_NE(SetConfigStr(section, "drop", nullptr), 0) << "nothing left to delete";

    const std::string below = std::string(section) + "\\Below";
    const std::string deeper = below + "\\Deeper";
    SetConfigStr(below.c_str(), "b", "1");
    SetConfigStr(deeper.c_str(), "d", "2");
    const char* sibling = Section("TreeSibling");
    SetConfigStr(sibling, "s", "3");

    EXPECT_EQ(DeleteConfigTree(section), 0);
    EXPECT_EQ(Read(section, "keep"), "default");
    EXPECT_EQ(Read(below.c_str(), "b"), "default");
    EXPECT_EQ(Read(deeper.c_str(), "d"), "default");
    EXPECT_EQ(Read(sibling, "s"), "3") << "a section whose name only starts alike stays";
    EXPECT_NE(DeleteConfigTree(section), 0) << "already gone";
}

TEST_F(ConfigStore, MatchesSectionsAndKeysWithoutRegardToCase)
{
    const char* section = Section("Case");
    SetConfigStr(section, "Format", "REFER.FLT");
    std::string upper = section;
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(Read(upper.c_str(), "FORMAT"), "REFER.FLT");
    SetConfigStr(upper.c_str(), "format", "PUBTAG.FLT");
    char names[64];
    EXPECT_EQ(GetConfigStr(names, sizeof names, section, nullptr, ""), 1);
    EXPECT_EQ(Read(section, "Format"), "PUBTAG.FLT");
}

TEST_F(ConfigStore, KeepsTextsByteForByte)
{
    const char* section = Section("Bytes");
    const std::vector<std::string> texts = {
        "",
        "  leading and trailing  ",
        "C:\\Refs\\my.ref",
        "a=b; [c] #d",
        "line one\r\nline two",
        "\t\xE9\xFC\x7F\x01",
        "%A <A@ ><D(@)><J, @>",
    };
    for (size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        std::string key = "text" + std::to_string(i) + " =[#\\";
        EXPECT_EQ(SetConfigStr(section, key.c_str(), texts[i].c_str()), 0);
        EXPECT_EQ(Read(section, key.c_str()), texts[i]);
    }
    char names[kReadBufferSize];
    EXPECT_EQ(GetConfigStr(names, sizeof names, section, nullptr, ""), int(texts.size()));
    EXPECT_STREQ(names, "text0 =[#\\");
}

TEST_F(ConfigStore, RefusesBadArgumentsWithDefaults)
{
    const char* section = Section("Bad");
    EXPECT_EQ(SetConfigStr(section, nullptr, "x"), -1);
    EXPECT_EQ(SetConfigStr(nullptr, "key", "x"), -1);
    EXPECT_EQ(SetConfigStr("", "key", "x"), -1);
    EXPECT_EQ(SetConfigInt("", "key", 1), -1);
    EXPECT_EQ(DeleteConfigTree(""), -1);
    EXPECT_EQ(DeleteConfigTree(nullptr), -1);
    EXPECT_EQ(GetConfigInt(nullptr, "key", 5), 5);
    EXPECT_EQ(GetConfigInt(section, nullptr, 5), 5);
    EXPECT_EQ(Read("", "key"), "default");
    char names[8];
    EXPECT_EQ(GetConfigStr(names, sizeof names, nullptr, nullptr, "d"), 0);
    EXPECT_EQ(GetConfigStr(nullptr, 10, section, "key", "d"), 0);
    EXPECT_EQ(GetConfigStr(names, 0, section, "key", "d"), 0);
    EXPECT_EQ(GetConfigStr(names, sizeof names, section, "key", nullptr), 0);
    EXPECT_STREQ(names, "");
}

TEST_F(ConfigStore, IniFunctionsReadDefaultsAndWriteNothingWithoutAPath)
{
    EXPECT_STREQ(GetINIFilePath(), "");
    EXPECT_EQ(SetConfigStr16("Files", "Format", "x"), -1);
    EXPECT_EQ(SetConfigInt16("Files", "Backup", 0), -1);
    EXPECT_EQ(DeleteConfigTree16("Files"), -1);
    EXPECT_EQ(GetConfigInt16("Files", "Backup", 3), 3);
    char text[16];
    EXPECT_EQ(GetConfigStr16(text, sizeof text, "Files", "Format", "REFER.FLT"), 9);
    EXPECT_STREQ(text, "REFER.FLT");
}

TEST_F(ConfigStore, IniFunctionsUseTheFileAtThePathSet)
{
    const std::string path = dir_.Path("cartulan.ini");
    SetINIFilePath(path.c_str());
    const char* files = Section("IniFiles");
    const char* display = Section("IniDisplay");
    EXPECT_EQ(GetINIFilePath(), path);
    EXPECT_EQ(SetConfigStr16(files, "Format", "REFER.FLT"), 0);
    EXPECT_EQ(SetConfigInt16(files, "Backup", -5), 0);
    EXPECT_EQ(SetConfigStr16(display, "List", "242"), 0);
    EXPECT_EQ(GetConfigInt16(files, "Backup", 1), -5);
    EXPECT_EQ(GetConfigInt16(display, "List", 0), 242);
    EXPECT_EQ(GetConfigInt16(files, "Missing", 8), 8);

    char text[64];
    EXPECT_EQ(GetConfigStr16(text, sizeof text, files, "Format", ""), 9);
    EXPECT_STREQ(text, "REFER.FLT");
    EXPECT_EQ(GetConfigStr16(text, 6, files, "Format", ""), 5) << "INI texts are cut";
    EXPECT_STREQ(text, "REFER");
    EXPECT_EQ(GetConfigStr16(text, sizeof text, files, nullptr, ""), 14);
    EXPECT_EQ(std::string(text, 15), std::string("Format\0Backup\0\0", 15));

    EXPECT_EQ(SetConfigStr16(files, "Format", nullptr), 0);
    EXPECT_EQ(GetConfigStr16(text, sizeof text, files, "Format", "gone"), 4);
    EXPECT_EQ(DeleteConfigTree16(files), 0);
    EXPECT_EQ(GetConfigInt16(files, "Backup", 1), 1);
    EXPECT_EQ(GetConfigInt16(display, "List", 0), 242);

    // The INI file is not the per-user store.
    char names[64];
    EXPECT_EQ(GetConfigStr(names, sizeof names, display, "List", "none"), 4);
    EXPECT_STREQ(names, "none");
}

TEST_F(ConfigStore, CutsTheIniPathAt259Characters)
{
    const std::string path(300, 'p');
    SetINIFilePath(path.c_str());
    EXPECT_EQ(std::string(GetINIFilePath()), path.substr(0, 259));
    SetINIFilePath(nullptr);
    EXPECT_STREQ(GetINIFilePath(), "");
}

}  // namespace
