// The stored bibliography formats: what is stored reads back whole, and what the settings could
// not give back whole is refused before anything is stored.
#include "io/format_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "format/bib_format.h"
#include "test_files.h"

TEST(FormatStore, StoresWhatReadsBackWholeAndRefusesTheRest)
{
    TempDir dir;
    setenv("CARTULAN_CONFIG", dir.Path("settings").c_str(), 1);
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
