// The application settings: defaults on an empty store, a save and load round trip, the
// rewritten "Files" section, the choice of the bibliography format, and the stored fonts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cartio.h"
#include "format/bib_format.h"
#include "io/app_settings.h"
#include "io/font_description.h"
#include "io/transfer_state.h"
#include "store/store_state.h"
#include "test_files.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("CARTULAN_CONFIG", dir_.Path("settings").c_str(), 1);
        Reset();
    }
    void TearDown() override { ClearRecentFiles(); }

    // Program state as it is before the settings are loaded, but with every value changed,
    // so that loading must set each one.
    static void Reset()
    {
        g_store = StoreState();
        g_settings = AppSettings();
        ClearRecentFiles();
        SetDefaultFilter(kDefaultFilterName);
        g_transfer.saveBackups = 1;
        UseBasicBibFormat();
    }

    TempDir dir_;
};

std::vector<std::string> KeysOf(const char* section)
{
    char names[1024] = "";
    std::vector<std::string> keys;
    if (GetConfigStr(names, sizeof names, section, nullptr, "") <= 0) return keys;
    for (const char* name = names; *name != '\0'; name += std::string(name).size() + 1)
        keys.push_back(name);
    return keys;
}

}  // namespace

TEST_F(SettingsTest, EmptyStoreGivesTheDefaults)
{
    g_transfer.saveBackups = 0;  // loading must set it back
    g_store.defaults.listFlags = 0;
    LoadSettings();
    const StoreDefaults& store = g_store.defaults;
    EXPECT_EQ(g_transfer.saveBackups, 1);
    EXPECT_EQ(g_settings.autoView, 1);
    EXPECT_EQ(g_settings.bibIsForm, 0);
    EXPECT_EQ(store.searchable, 1);
    EXPECT_EQ(g_settings.searchBy, 3);
    EXPECT_EQ(g_settings.caseSensitive, 0);
    EXPECT_EQ(store.input.sourceType, kSourceJournal);
    EXPECT_STREQ(store.input.date, "1994");
    EXPECT_EQ(store.listFlags, 242u);
    EXPECT_EQ(store.authorColumnChars, 25);
    EXPECT_EQ(g_settings.bibColour, 0xFF0000u);
    EXPECT_EQ(g_settings.editorX, 2);
    EXPECT_EQ(g_settings.editorY, 2);
    EXPECT_EQ(g_settings.editorWidth, 632);
    EXPECT_EQ(g_settings.editorHeight, 475);
    EXPECT_EQ(g_settings.editorMaximised, 0);
    EXPECT_EQ(store.nameOptions.familyLast, 1);
    EXPECT_EQ(store.nameOptions.method, 1);
    EXPECT_EQ(store.nameOptions.separator, ',');
    EXPECT_STREQ(g_transfer.defaultFilter, "REFER.FLT");
    EXPECT_EQ(store.sortKeys.keys[0], 0);
    EXPECT_EQ(store.sortKeys.keys[1], 9);
    EXPECT_EQ(store.sortKeys.keys[2], 2);
    EXPECT_EQ(RecentFileCount(), 0);
    EXPECT_STREQ(CurrentBibFormat().name, "Basic");
    EXPECT_STREQ(CurrentBibFormat().body, kBasicBibFormatBody);
}

TEST_F(SettingsTest, SaveAndLoadRoundTrip)
{
    LoadSettings();
    StoreDefaults& store = g_store.defaults;
    g_transfer.saveBackups = 0;
    g_settings.autoView = 0;
    g_settings.bibIsForm = 1;
    store.searchable = 0;
    g_settings.searchBy = 5;
    g_settings.caseSensitive = 1;
    store.input.sourceType = kSourceReport;
    std::snprintf(store.input.date, kDefaultDateSize, "2001");
    store.listFlags = 0x55;
    store.authorColumnChars = 40;
    g_settings.bibColour = 0x00123456;
    g_settings.editorX = -4;
    g_settings.editorY = 7;
    g_settings.editorWidth = 800;
    g_settings.editorHeight = 600;
    g_settings.editorMaximised = 1;
    store.nameOptions.familyLast = 0;
    store.nameOptions.method = 0;
    store.nameOptions.separator = ';';
    store.sortKeys.keys[0] = 1;
    store.sortKeys.keys[1] = 10;
    store.sortKeys.keys[2] = 6;
    SetDefaultFilter("PUBTAG.FLT");
    for (const char* name : {"/a.ref", "/b.ref", "/c.ref"}) AddRecentFile(name);
    SetConfigStr("Formats", "Short", "[Refs\\n]<A@>");
    SetCurrentBibFormat("Short", "[Refs\\n]<A@>");
    SaveSettings();

    Reset();
    LoadSettings();
    EXPECT_EQ(g_transfer.saveBackups, 0);
    EXPECT_EQ(g_settings.autoView, 0);
    EXPECT_EQ(g_settings.bibIsForm, 1);
    EXPECT_EQ(store.searchable, 0);
    EXPECT_EQ(g_settings.searchBy, 5);
    EXPECT_EQ(g_settings.caseSensitive, 1);
    EXPECT_EQ(store.input.sourceType, kSourceReport);
    EXPECT_STREQ(store.input.date, "2001");
    EXPECT_EQ(store.listFlags, 0x55u);
    EXPECT_EQ(store.authorColumnChars, 40);
    EXPECT_EQ(g_settings.bibColour, 0x00123456u);
    EXPECT_EQ(g_settings.editorX, -4);
    EXPECT_EQ(g_settings.editorY, 7);
    EXPECT_EQ(g_settings.editorWidth, 800);
    EXPECT_EQ(g_settings.editorHeight, 600);
    EXPECT_EQ(g_settings.editorMaximised, 1);
    EXPECT_EQ(store.nameOptions.familyLast, 0);
    EXPECT_EQ(store.nameOptions.method, 0);
    EXPECT_EQ(store.nameOptions.separator, ';');
    EXPECT_EQ(store.sortKeys.keys[0], 1);
    EXPECT_EQ(store.sortKeys.keys[1], 10);
    EXPECT_EQ(store.sortKeys.keys[2], 6);
    EXPECT_STREQ(g_transfer.defaultFilter, "PUBTAG.FLT");
    ASSERT_EQ(RecentFileCount(), 3);
    EXPECT_STREQ(g_transfer.recentFiles[0], "/c.ref");
    EXPECT_STREQ(g_transfer.recentFiles[2], "/a.ref");
    EXPECT_STREQ(CurrentBibFormat().name, "Short");
    EXPECT_STREQ(CurrentBibFormat().header, "Refs\r\n");
    EXPECT_STREQ(CurrentBibFormat().body, "<A@>");
}

TEST_F(SettingsTest, ShrunkRecentListLeavesOnlyItsKeys)
{
    for (const char* name : {"/1", "/2", "/3", "/4", "/5", "/6"}) AddRecentFile(name);
    SaveSettings();
    RemoveRecentFile("/1");
    RemoveRecentFile("/2");
    RemoveRecentFile("/3");
    RemoveRecentFile("/4");
    SaveSettings();
    std::vector<std::string> keys = KeysOf("Files");
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"0", "1", "AutoView", "Backup", "BibIsForm",
                                              "Format"}));
    // An empty slot in the store leaves no gap in the list.
    SetConfigStr("Files", "0", "");
    Reset();
    LoadSettings();
    ASSERT_EQ(RecentFileCount(), 1);
    EXPECT_STREQ(g_transfer.recentFiles[0], "/5");
}

TEST_F(SettingsTest, BibliographyFormatChoice)
{
    // No stored name, but stored formats: the first listed becomes current.
    SetConfigStr("Formats", "Alpha", "<T@>");
    SetConfigStr("Formats", "Beta", "<A@>");
    LoadSettings();
    const std::string first = KeysOf("Formats").front();
    EXPECT_EQ(CurrentBibFormat().name, first);
    EXPECT_STREQ(CurrentBibFormat().body, first == "Alpha" ? "<T@>" : "<A@>");

    // A stored name whose format text is missing keeps the built-in body.
    Reset();
    SetConfigStr("Bibliography", "Format", "Gone");
    LoadSettings();
    EXPECT_STREQ(CurrentBibFormat().name, "Gone");
    EXPECT_STREQ(CurrentBibFormat().body, kBasicBibFormatBody);

    // A stored name is read before any listed one.
    Reset();
    SetConfigStr("Bibliography", "Format", "Beta");
    LoadSettings();
    EXPECT_STREQ(CurrentBibFormat().name, "Beta");
    EXPECT_STREQ(CurrentBibFormat().body, "<A@>");
}

TEST_F(SettingsTest, NoFormatsWithRecentFilesGivesBasic)
{
    for (int i = 0; i < 6; ++i) {
        const std::string key = std::to_string(i);
        SetConfigStr("Files", key.c_str(), ("/file" + key).c_str());
    }
    LoadSettings();
    EXPECT_STREQ(CurrentBibFormat().name, "Basic");
    EXPECT_STREQ(CurrentBibFormat().body, kBasicBibFormatBody);
    EXPECT_EQ(RecentFileCount(), 6);
    EXPECT_STREQ(g_transfer.recentFiles[5], "/file5");
}

TEST_F(SettingsTest, SeparatorsAndBadValues)
{
    struct Case {
        const char* stored;
        char separator;
        const char* savedBack;
    } const cases[] = {
        {";;;", ';', ";"},   // several characters: the first is used, one saved back
        {"/", '/', "/"},
        {" ", ',', ","},     // a blank splits nothing: the default
        {"", ',', ","},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Reset();
        SetConfigStr("Names", "SurSep", c.stored);
        LoadSettings();
        EXPECT_EQ(g_store.defaults.nameOptions.separator, c.separator);
        SaveSettings();
        char saved[8] = "";
        GetConfigStr(saved, sizeof saved, "Names", "SurSep", "?");
        EXPECT_STREQ(saved, c.savedBack);
    }
    // A longer default filter name than the buffer holds reads as the default.
    Reset();
    SetConfigStr("Files", "Format", "A_FILTER_NAME_LONGER_THAN_31_CHARACTERS.FLT");
    LoadSettings();
    EXPECT_STREQ(g_transfer.defaultFilter, "REFER.FLT");
}

TEST(FontDescriptionTest, StoredTextsParseAndFormat)
{
    struct Case {
        const char* text;
        bool parses;
        const char* face;
        int height, weight, italic, underline;
    } const cases[] = {
        {"Arial,-13,700,256", true, "Arial", -13, 700, 1, 0},
        {"Times New Roman,12,400,1", true, "Times New Roman", 12, 400, 0, 1},
        {"Courier,-10,400,257", true, "Courier", -10, 400, 1, 1},
        {"", false, "", 0, 0, 0, 0},
        {",1,2,3", false, "", 0, 0, 0, 0},
        {"Arial", false, "", 0, 0, 0, 0},
        {"Arial,x,700,0", false, "", 0, 0, 0, 0},
        {"Arial,-13,700", false, "", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FontDescription font;
        ASSERT_EQ(ParseFontText(c.text, font), c.parses);
        if (!c.parses) {
            EXPECT_STREQ(font.faceName, "");
            continue;
        }
        EXPECT_STREQ(font.faceName, c.face);
        EXPECT_EQ(font.height, c.height);
        EXPECT_EQ(font.weight, c.weight);
        EXPECT_EQ(font.italic, c.italic);
        EXPECT_EQ(font.underline, c.underline);
        char text[kFontTextSize];
        ASSERT_GT(FormatFontText(font, text, sizeof text), 0);
        EXPECT_STREQ(text, c.text);
    }
    FontDescription longFace;
    ASSERT_TRUE(ParseFontText("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ,1,2,0", longFace));
    EXPECT_EQ(std::string(longFace.faceName).size(), 31u);
    char tiny[4];
    EXPECT_EQ(FormatFontText(longFace, tiny, sizeof tiny), -1);
}

TEST_F(SettingsTest, FontsRoundTripThroughTheStore)
{
    FontDescription font;
    EXPECT_FALSE(ReadFontSetting("List", font));
    std::snprintf(font.faceName, sizeof font.faceName, "Arial");
    font.height = -13;
    font.weight = 700;
    font.italic = 1;
    ASSERT_EQ(WriteFontSetting("List", font), 0);
    char stored[kFontTextSize] = "";
    GetConfigStr(stored, sizeof stored, "Fonts", "List", "");
    EXPECT_STREQ(stored, "Arial,-13,700,256");
    FontDescription read;
    ASSERT_TRUE(ReadFontSetting("List", read));
    EXPECT_STREQ(read.faceName, "Arial");
    EXPECT_EQ(read.italic, 1);
    EXPECT_EQ(read.underline, 0);
}
