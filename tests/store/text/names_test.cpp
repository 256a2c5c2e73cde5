#include "store/text/names.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

NameOptions Options(int32_t method, int32_t familyLast, char separator = ',')
{
    NameOptions options;
    options.method = method;
    options.familyLast = familyLast;
    options.separator = separator;
    return options;
}

std::string Part(const char* text, std::size_t length)
{
    return text == nullptr ? "(none)" : std::string(text, length);
}

// Every name of a list as the walk sees it: "family|given".
std::vector<std::string> Walk(const char* list, const NameOptions& options)
{
    std::vector<std::string> names;
    NameWalk walk;
    StartNameWalk(walk, list);
    for (int guard = 0; guard < 100; ++guard) {
        AdvanceNameWalk(walk, options);
        if (walk.ended) {
            EXPECT_EQ(walk.name.family, nullptr);
            break;
        }
        names.push_back(Part(walk.name.family, walk.name.familyLength) + "|" +
                        Part(walk.name.given, walk.name.givenLength));
    }
    return names;
}

TEST(Names, DefaultsAndSeparatorRule)
{
    const NameOptions options;
    EXPECT_EQ(options.method, kCompareAsWritten);
    EXPECT_EQ(options.familyLast, 1);
    EXPECT_EQ(options.separator, ',');
    for (char c : {' ', '\t', '\r', '\n', '\0'}) EXPECT_FALSE(IsValidNameSeparator(c)) << int(c);
    for (char c : {',', ';', '/', '.'}) EXPECT_TRUE(IsValidNameSeparator(c)) << c;
}

TEST(Names, SplitsOneNameIntoFamilyAndGivenNames)
{
    struct Case {
        const char* name;
        int32_t familyLast;
        char separator;
        const char* family;
        const char* given;
    };
    const Case cases[] = {
        {"Smith, J", 1, ',', "Smith", "J"},
        {"J Smith", 1, ',', "Smith", "J"},
        {"J Smith", 0, ',', "J", "Smith"},
        {"Smith", 1, ',', "Smith", "(none)"},
        {"Smith", 0, ',', "Smith", "(none)"},
        {" Smith", 1, ',', "Smith", "(none)"},     // the only blank is the first character
        {"van der Berg, J", 1, ',', "van der Berg", "J"},
        {"Smith, J, Jr", 1, ',', "Smith, J", "Jr"},  // the last separator splits
        {"Smith,", 1, ',', "Smith", "(none)"},     // empty given names are none
        {"Smith,   ", 1, ',', "Smith", "(none)"},
        {", J", 1, ',', "", "J"},
        {"John  Smith", 1, ',', "Smith", "John "},  // only leading blanks are dropped
        {"J\tSmith", 1, ',', "Smith", "J"},
        {"Smith; J", 1, ';', "Smith", "J"},
        {"Smith, J", 1, ';', "J", "Smith,"},        // without the separator: family last
        {"", 1, ',', "", "(none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " familyLast " + std::to_string(c.familyLast));
        const NameParts parts =
            SplitName(c.name, std::string(c.name).size(), Options(0, c.familyLast, c.separator));
        EXPECT_EQ(Part(parts.family, parts.familyLength), c.family);
        EXPECT_EQ(Part(parts.given, parts.givenLength), c.given);
    }
}

TEST(Names, WalksTheListNameByName)
{
    const NameOptions options = Options(0, 1);
    struct Case {
        const char* list;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"Bloggs, F\r\nSmith, J\r\nOther, AN", {"Bloggs|F", "Smith|J", "Other|AN"}},
        {"Bloggs, F\r\nSmith, J\r\n", {"Bloggs|F", "Smith|J"}},  // closing break: no name
        {"Bloggs, F\r\n  \r\n", {"Bloggs|F"}},
        {"Bloggs, F\r\n   Smith, J", {"Bloggs|F", "Smith|J"}},
        {"A, X\r\n\r\nB, Y", {"A|X", "B|Y", "B|Y"}},  // a blank line repeats the next name
        {"Bloggs, F\nSmith, J", {"Bloggs|F", "Smith|J"}},
        {"Smith\r", {"Smith\r|(none)"}},              // a CR without LF belongs to the name
        {"", {"|(none)"}},
        {nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list ? c.list : "(null)");
        EXPECT_EQ(Walk(c.list, options), c.names);
    }
}

TEST(Names, WalksLongLists)
{
    const NameOptions options = Options(0, 1);
    std::string list;
    std::vector<std::string> expected;
    for (int i = 0; i < 40; ++i) {
        const std::string family = "Family" + std::to_string(i) + std::string(static_cast<std::size_t>(i), 'x');
        list += (i > 0 ? "\r\n" : "") + family + ", G" + std::to_string(i);
        expected.push_back(family + "|G" + std::to_string(i));
    }
    EXPECT_EQ(Walk(list.c_str(), options), expected);
    const std::string single(300, 'q');  // one name as long as the whole list
    EXPECT_EQ(Walk(single.c_str(), options), std::vector<std::string>{single + "|(none)"});
}

TEST(Names, ComparesNameLists)
{
    struct Case {
        const char* a;
        const char* b;
        NameOptions options;
        int sign;
    };
    const NameOptions family = Options(0, 1);
    const NameOptions familyFirst = Options(0, 0);
    const NameOptions asWritten = Options(1, 1);
    const Case cases[] = {
        {"Smith, J", "J Smith", family, 0},
        {"Smith, J", "SMITH, j", family, 0},
        {"Smith, J", "Smith, J\r\nJones, A", family, -1},  // a leading part sorts first
        {"Smith, J\r\nJones, A\r\n", "Smith, J\r\nJones, A", family, 0},
        {"Adams, Z", "Baker, A", family, -1},
        {"Smith", "Smith, J", family, -1},                  // no given names first
        {"Smith, A\r\nZorn, B", "Smith, B\r\nAdams, C", family, -1},
        {"J Smith", "Smith, J", familyFirst, -1},           // family "J" before "Smith"
        {"Smith, J", "J Smith", asWritten, 1},              // S after J as written
        {"smith, j", "Smith, J", asWritten, 0},
        {"\xC5ngstr\xF6m, A", "Berg, B", family, -1},
        {nullptr, "Smith", family, -1},
        {nullptr, nullptr, family, 0},
        {"Smith", "Smith", Options(2, 1), -1},              // unknown method
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a ? c.a : "(null)") + " vs " + (c.b ? c.b : "(null)") +
                     " method " + std::to_string(c.options.method));
        const int result = compareNameLists(c.options, c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
    }
}

}  // namespace
