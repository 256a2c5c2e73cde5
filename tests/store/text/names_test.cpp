#include "store/text/names.h"

#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

NameOptions Options(int32_t method, int32_t familyLast = 1, char separator = ',')
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
    for (AdvanceNameWalk(walk, options); !walk.ended && names.size() < 100;
         AdvanceNameWalk(walk, options))
        names.push_back(Part(walk.name.family, walk.name.familyLength) + "|" +
                        Part(walk.name.given, walk.name.givenLength));
    return names;
}

TEST(Names, SplitsEachNameOfAList)
{
    struct Case {
        const char* list;
        NameOptions options;
        std::vector<std::string> names;
    };
    const NameOptions standard = Options(0);
    const Case cases[] = {
        {"Bloggs, F\r\nSmith, J\r\nOther, AN", standard, {"Bloggs|F", "Smith|J", "Other|AN"}},
        {"J Smith", standard, {"Smith|J"}},
        {"J Smith", Options(0, 0), {"J|Smith"}},
        {"Smith", Options(0, 0), {"Smith|(none)"}},
        {" Smith", standard, {"Smith|(none)"}},        // the only blank is the first character
        {"van der Berg, J", standard, {"van der Berg|J"}},
        {"Smith,   ", standard, {"Smith|(none)"}},     // empty given names are none
        {"John  Smith ", standard, {"Smith|John"}},    // blanks around the parts are dropped
        {"Smith , J ", standard, {"Smith|J"}},
        {"Smith, J, Jr.", standard, {"Smith|J, Jr."}},  // a generational suffix is no name
        {"Smith, J, III", standard, {"Smith|J, III"}},
        {"Smith, Jr", standard, {"Smith|Jr"}},
        {"Smith, J, Junior", standard, {"Smith, J|Junior"}},  // otherwise the last one splits
        {"J\tSmith", standard, {"Smith|J"}},
        {"Smith; J", Options(0, 1, ';'), {"Smith|J"}},
        {"Smith, J", Options(0, 1, ';'), {"J|Smith,"}},  // no separator: family name last
        {"Bloggs, F\r\nSmith, J\r\n", standard, {"Bloggs|F", "Smith|J"}},  // closing break
        {"Bloggs, F\r\n  \r\n", standard, {"Bloggs|F"}},
        {"A, X\r\n\r\nB, Y", standard, {"A|X", "B|Y", "B|Y"}},  // a blank line repeats the next
        {"Bloggs, F\nSmith, J", standard, {"Bloggs|F", "Smith|J"}},
        {"Smith\r", standard, {"Smith\r|(none)"}},     // a CR without LF belongs to the name
        {"", standard, {"|(none)"}},
        {nullptr, standard, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list ? c.list : "(null)");
        EXPECT_EQ(Walk(c.list, c.options), c.names);
    }
    for (char c : {' ', '\t', '\r', '\n', '\0'}) EXPECT_FALSE(IsValidNameSeparator(c)) << int(c);
    EXPECT_TRUE(IsValidNameSeparator(';'));
}

TEST(Names, ComparesNameLists)
{
    struct Case {
        const char* a;
        const char* b;
        NameOptions options;
        int sign;
    };
    const NameOptions family = Options(0);
    const Case cases[] = {
        {"Smith, J", "J Smith", family, 0},
        {"J Smith ", "J Smith", family, 0},
        {"Smith, J", "SMITH, j", family, 0},
        {"Smith, J", "Smith, J\r\nJones, A", family, -1},  // a leading part sorts first
        {"Smith, J\r\nJones, A\r\n", "Smith, J\r\nJones, A", family, 0},
        {"Smith", "Smith, J", family, -1},                  // no given names first
        {"Smith, A\r\nZorn, B", "Smith, B\r\nAdams, C", family, -1},
        {"J Smith", "Smith, J", Options(0, 0), -1},         // family "J" before "Smith"
        {"Smith, J", "J Smith", Options(1), 1},             // as written: S after J
        {"smith, j", "Smith, J", Options(1), 0},
        {nullptr, "Smith", family, -1},
        {nullptr, nullptr, family, 0},
        {"Smith", "Smith", Options(2), -1},                 // unknown method
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a ? c.a : "(null)") + " vs " + (c.b ? c.b : "(null)") +
                     " method " + std::to_string(c.options.method));
        const int result = compareNameLists(c.options, c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
    }
}

// Real names in the order a reader expects them, compared by family names: hyphens and
// apostrophes weigh nothing, particles and accents sort with their letters, initials with
// dots after those without, a generational suffix stays with the given names.
TEST(Names, SortRealNamesAsAReaderExpects)
{
    const char* const names[] = {
        "Adams, A",        "\xC5ngstr\xF6m, A", "de la Cruz, M",  "Dean, B",
        "Mueller, K",      "Muller, K",         "M\xFCller, K",   "Oakley, A",
        "Obrien, B",       "O'Brien, B",        "O'Connor, C",    "Smith, J",
        "Smith, J, Jr.",   "Smith, J.",         "Smith, J. R.",   "Smith, JR",
        "Smithers, J",     "Smith-Jones, A",    "van der Berg, J", "Van Dyke, A",
    };
    const NameOptions family = Options(0);
    for (std::size_t i = 0; i + 1 < std::size(names); ++i) {
        SCOPED_TRACE(std::string(names[i]) + " before " + names[i + 1]);
        EXPECT_LT(compareNameLists(family, names[i], names[i + 1]), 0);
        EXPECT_GT(compareNameLists(family, names[i + 1], names[i]), 0);
#if defined(_WIN32)
        // The system's own comparison puts the family names in the same order.
        const std::string a = names[i];
        const std::string b = names[i + 1];
        EXPECT_LE(lstrcmpiA(a.substr(0, a.find(',')).c_str(), b.substr(0, b.find(',')).c_str()), 0);
#endif
    }
}

}  // namespace
