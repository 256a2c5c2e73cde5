#include "search/text_match.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "store/text/text_rules.h"

namespace {

TEST(TextMatch, FindsTextsByBytesOrIgnoringCase)
{
    struct Case {
        const char* field;
        const char* text;
        bool ignoringCase;
        bool byBytes;
    };
    const Case cases[] = {
        {"Bloggs, F\r\nSmith, J", "F\r\nSm", true, true},  // across a line break
        {"Bloggs, F", "Bloggs, F.", false, false},         // longer than the field
        {"\x9F" "es", "\xFF" "ES", true, false},
        {"abc", "", true, true},                           // an empty text matches
        {nullptr, "", false, false},                       // an absent field never
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field ? c.field : "(null)") + " / " + c.text);
        EXPECT_EQ(FieldContains(c.field, c.text, false), c.ignoringCase);
        EXPECT_EQ(FieldContains(c.field, c.text, true), c.byBytes);
    }
}

// Many generated fields and texts over a small alphabet with accented letters, so that near
// misses are common, against lower-case copies and a plain substring search.
TEST(TextMatch, AgreesWithLowerCaseCopiesAndSubstringSearch)
{
    const std::string alphabet = "aAbB \xE9\xC9\xDF\xE5\xC5\r\n.e";
    uint64_t state = 12345;
    auto next = [&state](uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 33) % bound;
    };
    const auto lower = [](std::string text) {
        for (char& c : text) c = ToLowerChar(c);
        return text;
    };
    int matches = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string field;
        const uint32_t fieldLength = next(100);
        for (uint32_t i = 0; i < fieldLength; ++i) field += alphabet[next(alphabet.size())];
        std::string text;
        if (next(3) == 0 && fieldLength > 0) {
            const uint32_t start = next(fieldLength);
            text = field.substr(start, 1 + next(fieldLength - start));
            for (char& c : text)
                if (next(2) == 0) c = ToUpperChar(c);
        } else {
            for (uint32_t i = 1 + next(4); i > 0; --i) text += alphabet[next(alphabet.size())];
        }
        for (bool caseSensitive : {false, true}) {
            const bool expected = caseSensitive ? field.find(text) != std::string::npos
                                                : lower(field).find(lower(text)) != std::string::npos;
            matches += expected ? 1 : 0;
            ASSERT_EQ(FieldContains(field.c_str(), text.c_str(), caseSensitive), expected)
                << "field '" << field << "' text '" << text << "' case " << caseSensitive;
        }
    }
    EXPECT_GT(matches, 5000);  // both outcomes plenty of times
    EXPECT_LT(matches, 35000);
}

}  // namespace
