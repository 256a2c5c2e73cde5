#include "search/text_match.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "store/text/text_rules.h"

namespace {

// Many generated fields and texts (empty ones too) over a small alphabet with accented letters
// and line breaks, so that near misses are common, against lower-case copies and a plain
// substring search. An absent field never matches.
TEST(TextMatch, AgreesWithLowerCaseCopiesAndSubstringSearch)
{
    const std::string alphabet = "aAbB \xE9\xC9\xDF\xE5\xC5\x9F\xFF\r\n.e";
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
            for (uint32_t i = next(5); i > 0; --i) text += alphabet[next(alphabet.size())];
        }
        for (bool caseSensitive : {false, true}) {
            const bool expected = caseSensitive ? field.find(text) != std::string::npos
                                                : lower(field).find(lower(text)) != std::string::npos;
            matches += expected ? 1 : 0;
            ASSERT_EQ(FieldContains(field.c_str(), text.c_str(), caseSensitive), expected)
                << "field '" << field << "' text '" << text << "' case " << caseSensitive;
        }
    }
    EXPECT_FALSE(FieldContains(nullptr, "", false));
    EXPECT_GT(matches, 5000);  // both outcomes plenty of times
    EXPECT_LT(matches, 35000);
}

}  // namespace
