// The application settings: what an empty store gives, a save and load round trip, the
// rewritten "Files" section, the choice of the bibliography format, bad stored values, fonts,
// the recent files, and the stored bibliography formats.
#include <algorithm>

#include "cartio.h"
#include "io/font_description.h"
#include "io/format_store.h"
#include "transfer_fakes.h"

namespace {

// Every number the settings hold, in the program's state.
std::vector<int32_t*> Numbers()
{
    StoreDefaults& store = g_store.defaults;
    return {&g_transfer.saveBackups, &g_settings.autoView, &g_settings.bibIsForm,
            &store.searchable, &g_settings.searchBy, &g_settings.caseSensitive,
            &store.input.sourceType, reinterpret_cast<int32_t*>(&store.listFlags),
            &store.authorColumnChars, reinterpret_cast<int32_t*>(&g_settings.bibColour),
            &g_settings.editorX, &g_settings.editorY, &g_settings.editorWidth,
            &g_settings.editorHeight, &g_settings.editorMaximised, &store.nameOptions.familyLast,
            &store.nameOptions.method, &store.sortKeys.keys[0], &store.sortKeys.keys[1],
            &store.sortKeys.keys[2]};
}

std::vector<int32_t> Values()
{
    std::vector<int32_t> values;
    for (int32_t* number : Numbers()) values.push_back(*number);
    return values;
}

std::vector<std::string> KeysOf(const char* section)
{
    char names[1024] = "";
    std::vector<std::string> keys;
    if (GetConfigStr(names, sizeof names, section, nullptr, "") <= 0) return keys;
    for (const char* name = names; *name != '\0'; name += std::string(name).size() + 1)
        keys.push_back(name);
    std::sort(keys.begin(), keys.end());
    return keys;
}

// The transfer tests' fixture: a settings file of the test's own, and Reset.
class SettingsTest : public TransferTest {};

}  // namespace

TEST_F(SettingsTest, EmptyStoreGivesTheBuiltInValuesAndEverythingRoundTrips)
{
    const std::vector<int32_t> builtIn = Values();
    for (int32_t* number : Numbers()) *number = 77;  // loading must set each one
    LoadSettings();
    EXPECT_EQ(Values(), builtIn);

    const std::vector<int32_t*> numbers = Numbers();
    for (std::size_t i = 0; i < numbers.size(); ++i)
        *numbers[i] = builtIn[i] + static_cast<int32_t>(i) + 1;
    std::snprintf(g_store.defaults.input.date, kDefaultDateSize, "2001");
    g_store.defaults.nameOptions.separator = ';';
    SetDefaultFilter("PUBTAG.FLT");
    for (const char* name : {"/a.ref", "/b.ref", "/c.ref"}) AddRecentFile(name);
    SetConfigStr("Formats", "Short", "[Refs\\n]<A@>");
    SetCurrentBibFormat("Short", "[Refs\\n]<A@>");
    const std::vector<int32_t> changed = Values();
    SaveSettings();
    Reset();
    LoadSettings();
    EXPECT_EQ(Values(), changed);
    EXPECT_STREQ(g_store.defaults.input.date, "2001");
    EXPECT_EQ(g_store.defaults.nameOptions.separator, ';');
    EXPECT_STREQ(g_transfer.defaultFilter, "PUBTAG.FLT");
    ASSERT_EQ(RecentFileCount(), 3);
    EXPECT_STREQ(g_transfer.recentFiles[0], "/c.ref");
    EXPECT_STREQ(CurrentBibFormat().name, "Short");
    EXPECT_STREQ(CurrentBibFormat().header, "Refs\r\n");
}

TEST_F(SettingsTest, FilesSectionIsRewrittenWithoutGaps)
{
    for (const char* name : {"/1", "/2", "/3", "/4", "/5", "/6"}) AddRecentFile(name);
    SaveSettings();
    for (const char* name : {"/1", "/2", "/3", "/4"}) RemoveRecentFile(name);
    SaveSettings();
    EXPECT_EQ(KeysOf("Files"),
              (std::vector<std::string>{"0", "1", "AutoView", "Backup", "BibIsForm", "Format"}));
    SetConfigStr("Files", "0", "");  // an empty slot leaves no gap in the list
    Reset();
    LoadSettings();
    ASSERT_EQ(RecentFileCount(), 1);
    EXPECT_STREQ(g_transfer.recentFiles[0], "/5");
}

TEST_F(SettingsTest, CurrentFormatIsTheStoredNameElseTheFirstStoredElseBasic)
{
    SetConfigStr("Formats", "Alpha", "<T@>");
    SetConfigStr("Formats", "Beta", "<A@>");
    LoadSettings();
    EXPECT_EQ(CurrentBibFormat().name, KeysOf("Formats").front());
    Reset();
    SetConfigStr("Bibliography", "Format", "Beta");
    LoadSettings();
    EXPECT_STREQ(CurrentBibFormat().body, "<A@>");
    Reset();
    SetConfigStr("Bibliography", "Format", "Gone");  // its text is missing: the built-in body
    LoadSettings();
    EXPECT_STREQ(CurrentBibFormat().name, "Gone");
    EXPECT_STREQ(CurrentBibFormat().body, kBasicBibFormatBody);
}

TEST_F(SettingsTest, BadStoredValuesGiveDefaults)
{
    struct Case {
        const char* stored;
        char separator;
        const char* savedBack;
    } const cases[] = {
        {";;;", ';', ";"},  // several characters: the first is used, one saved back
        {" ", ',', ","},    // a blank splits nothing: the default
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
    Reset();
    SetConfigStr("Files", "Format", "A_FILTER_NAME_LONGER_THAN_31_CHARACTERS.FLT");
    LoadSettings();
    EXPECT_STREQ(g_transfer.defaultFilter, "REFER.FLT");
}

TEST_F(SettingsTest, FontsAreStoredAsFaceHeightWeightAndStyle)
{
    struct Case {
        const char* text;
        bool parses;
        int height, weight, italic, underline;
    } const cases[] = {
        {"Arial,-13,700,256", true, -13, 700, 1, 0},
        {"Times New Roman,12,400,1", true, 12, 400, 0, 1},
        {",1,2,3", false, 0, 0, 0, 0},     {"Arial,-13,700", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FontDescription font;
        ASSERT_EQ(ParseFontText(c.text, font), c.parses);
        if (!c.parses) continue;
        EXPECT_EQ(font.height, c.height);
        EXPECT_EQ(font.weight, c.weight);
        EXPECT_EQ(font.italic, c.italic);
        EXPECT_EQ(font.underline, c.underline);
        ASSERT_EQ(WriteFontSetting("List", font), 0);
        FontDescription read;
        ASSERT_TRUE(ReadFontSetting("List", read));
        char text[kFontTextSize];
        ASSERT_GT(FormatFontText(read, text, sizeof text), 0);
        EXPECT_STREQ(text, c.text);
    }
    FontDescription longFace;
    ASSERT_TRUE(ParseFontText("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ,1,2,0", longFace));
    EXPECT_EQ(std::string(longFace.faceName).size(), 31u);
    char tiny[4];
    EXPECT_EQ(FormatFontText(longFace, tiny, sizeof tiny), -1);
    EXPECT_FALSE(ReadFontSetting("Printer", longFace));
}

TEST_F(SettingsTest, RecentFilesKeepSixMostRecentFirstIgnoringCase)
{
    const auto recent = [] {
        std::string names;
        for (int i = 0; i < RecentFileCount(); ++i) names += g_transfer.recentFiles[i][0];
        for (int i = RecentFileCount(); i < kRecentFileCount; ++i)
            EXPECT_EQ(g_transfer.recentFiles[i], nullptr);
        return names;
    };
    for (const char* name : {"a.ref", "b.ref", "c.ref", "d.ref", "e.ref", "f.ref"})
        AddRecentFile(name);
    EXPECT_EQ(recent(), "fedcba");
    AddRecentFile("D.REF");
    EXPECT_EQ(recent(), "dfecba");
    AddRecentFile("g.ref");
    EXPECT_EQ(recent(), "gdfecb");
    AddRecentFile(nullptr);
    RemoveRecentFile("E.ref");
    EXPECT_EQ(recent(), "gdfcb");
    SetDefaultFilter("A_VERY_LONG_FILTER_NAME_THAT_GOES_ON.FLT");
    EXPECT_EQ(std::string(g_transfer.defaultFilter), "A_VERY_LONG_FILTER_NAME_THAT_GO");
}

// The stored bibliography formats: what is stored reads back whole, and what the settings could
// not give back whole is refused before anything is stored.
TEST_F(SettingsTest, FormatsStoredReadBackWholeAndTheRestIsRefused)
{
    const std::string longest(kMaxFormatText, 'x');
    struct Case {
        std::string name;
        std::string text;
        FormatStoreResult result;
    };
    const Case cases[] = {
        {"Basic", "<A@ ><D(@)>", kFormatStored},
        {"Longest", longest, kFormatStored},
        {"Too long", longest + "y", kFormatTooLong},
        {"Two lines", "<A@>\r\n<T@>", kFormatLineBreak},
        {std::string(kMaxFormatName + 1, 'n'), "<T@>", kFormatNameTooLong},
        {"Empty", "", kFormatEmpty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StoreFormat(c.name.c_str(), c.text.c_str()), c.result);
        char text[kMaxFormatText + 1];
        ReadFormatText(c.name.c_str(), text, sizeof text);
        EXPECT_EQ(text, c.result == kFormatStored ? c.text : "");
    }
    EXPECT_EQ(ReadFormatNames(), (std::vector<std::string>{"Basic", "Longest"}));

    ASSERT_TRUE(UseStoredFormat("Basic"));
    EXPECT_STREQ(CurrentBibFormat().name, "Basic");
    EXPECT_STREQ(CurrentBibFormat().body, "<A@ ><D(@)>");
    EXPECT_EQ(DeleteFormat("Basic"), 0);
    EXPECT_FALSE(UseStoredFormat("Basic"));
    EXPECT_STREQ(CurrentBibFormat().name, "Basic");
    EXPECT_EQ(ReadFormatNames(), (std::vector<std::string>{"Longest"}));
}
