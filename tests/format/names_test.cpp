#include "format/names.h"

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

// Every name of a list as the cursor sees it: "family|given".
std::vector<std::string> Walk(const char* list, const NameOptions& options)
{
    std::vector<std::string> names;
    NameCursor cursor(list, &options);
    for (int guard = 0; guard < 100; ++guard) {
        cursor.advance();
        if (cursor.ended()) {
            EXPECT_EQ(cursor.familyName(), nullptr);
            break;
        }
        names.push_back(std::string(cursor.familyName()) + "|" +
                        (cursor.givenNames() ? cursor.givenNames() : "(none)"));
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

TEST(Names, CursorWalksTheListNameByName)
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

    NameCursor cursor("Bloggs, F\r\nSmith, J", &options);
    EXPECT_EQ(cursor.consumed(), 0);
    cursor.advance();
    cursor.advance();
    EXPECT_EQ(cursor.consumed(), 2);
    cursor.advance();
    EXPECT_TRUE(cursor.ended());
    EXPECT_EQ(cursor.options(), &options);
    cursor.advance();  // advancing an ended cursor keeps it ended
    EXPECT_TRUE(cursor.ended());
}

TEST(Names, CursorHandlesListsLongerThanItsOwnBuffer)
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

TEST(Names, CursorComparisonAgreesWithListComparison)
{
    const char* lists[] = {
        "Smith, J", "J Smith", "Smith", "Smith, J\r\nJones, A", "Smith, J\r\nJones, A\r\n",
        "Smith, A\r\nZorn, B", "smith, j\r\n\r\nAdams", ", J", "", "Bloggs, F\r\nOther, AN",
    };
    for (const NameOptions& options : {Options(0, 1), Options(0, 0), Options(0, 1, ';')}) {
        for (const char* a : lists) {
            for (const char* b : lists) {
                SCOPED_TRACE(std::string(a) + " vs " + b);
                NameCursor cursorA(a, &options);
                NameCursor cursorB(b, &options);
                int byCursor = 0;
                for (;;) {
                    cursorA.advance();
                    cursorB.advance();
                    byCursor = CompareCursorNames(cursorA, cursorB);
                    if (byCursor != 0 || cursorA.ended() || cursorB.ended()) break;
                }
                const int byList = compareNameLists(options, a, b);
                EXPECT_EQ((byCursor > 0) - (byCursor < 0), (byList > 0) - (byList < 0));
                EXPECT_EQ((byList > 0) - (byList < 0), -((compareNameLists(options, b, a) > 0) -
                                                         (compareNameLists(options, b, a) < 0)));
            }
        }
    }
}

}  // namespace
