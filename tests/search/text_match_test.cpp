#include "search/text_match.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "store/text/text_rules.h"

namespace {

// The plain definition: lower-case copies of both texts, then a substring search.
bool NaiveContains(const char* field, const std::string& text, bool caseSensitive)
{
    if (field == nullptr) return false;
    std::string haystack = field;
    std::string needle = text.substr(0, kSearchTextSize - 1);
    if (!caseSensitive) {
        for (char& c : haystack) c = ToLowerChar(c);
        for (char& c : needle) c = ToLowerChar(c);
    }
    return haystack.find(needle) != std::string::npos;
}

TEST(TextMatch, FindsTextsByBytesOrIgnoringCase)
{
    struct Case {
        const char* field;
        const char* text;
        bool ignoringCase;
        bool byBytes;
    };
    const Case cases[] = {
        {"Bloggs, F\r\nSmith, J", "bloggs", true, false},
        {"Bloggs, F\r\nSmith, J", "Bloggs", true, true},
        {"Bloggs, F\r\nSmith, J", "SMITH, J", true, false},
        {"Bloggs, F\r\nSmith, J", "F\r\nSm", true, true},  // across a line break
        {"Bloggs, F", "Bloggs, F", true, true},           // the whole field
        {"Bloggs, F", "Bloggs, F.", false, false},        // longer than the field
        {"aaab", "aab", true, true},                      // a false start first
        {"abcabd", "abd", true, true},
        {"xyz", "xyz ", false, false},
        {"end of it", "it", true, true},
        {"start", "st", true, true},
        // Code page 1252 letters fold with their partners.
        {"\xC5ngstr\xF6m, A", "\xE5NGSTR\xD6M", true, false},
        {"Caf\xE9 \xC9lite", "caf\xC9 \xE9lite", true, false},
        {"\x9F" "es", "\xFF" "ES", true, false},           // Y and y with diaeresis
        {"Stra\xDF" "e", "STRA\xDF" "E", true, false},     // sharp s has no partner
        {"Strasse", "stra\xDF" "e", false, false},         // and is not "ss"
        {"Angstrom", "\xC5ngstr\xF6m", false, false},      // accents count
        {"Bj\xF6rn", "bj\xF6rn", true, false},
        {"12 Mar 1994", "1994", true, true},
        {"12 Mar 1994", "mar", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " / " + c.text);
        EXPECT_EQ(FieldContains(c.field, c.text, false), c.ignoringCase);
        EXPECT_EQ(FieldContains(c.field, c.text, true), c.byBytes);
    }
}

TEST(TextMatch, AbsentFieldsNeverMatchAndEmptyTextsMatchEveryPresentField)
{
    for (bool caseSensitive : {false, true}) {
        SCOPED_TRACE(caseSensitive);
        EXPECT_FALSE(FieldContains(nullptr, "x", caseSensitive));
        EXPECT_FALSE(FieldContains(nullptr, "", caseSensitive));
        EXPECT_TRUE(FieldContains("", "", caseSensitive));
        EXPECT_TRUE(FieldContains("abc", "", caseSensitive));
        EXPECT_TRUE(FieldContains("abc", nullptr, caseSensitive));
        EXPECT_FALSE(FieldContains("", "a", caseSensitive));
    }
}

TEST(TextMatch, CutsTheSearchTextTo255Characters)
{
    const std::string field = std::string(255, 'q') + "tail";
    const std::string text = std::string(255, 'q') + "different";
    EXPECT_TRUE(FieldContains(field.c_str(), text.c_str(), true));
    EXPECT_TRUE(FieldContains(field.c_str(), text.c_str(), false));
    TextMatcher matcher;
    PrepareTextMatcher(matcher, text.c_str(), false);
    EXPECT_EQ(matcher.length, 255u);
}

// Searching looks for one byte of the text in each case form; that is sound only if every
// byte that folds to a lower-case byte is that byte or its upper-case partner.
TEST(TextMatch, EveryByteFoldsToItselfOrFromItsUpperCasePartner)
{
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const char folded = ToLowerChar(c);
        SCOPED_TRACE(b);
        EXPECT_TRUE(c == folded || c == ToUpperChar(folded));
        EXPECT_EQ(ToLowerChar(folded), folded);
    }
}

// Many generated fields and texts, small alphabets so that near misses are common, against
// the plain definition.
TEST(TextMatch, AgreesWithLowerCaseCopiesAndSubstringSearch)
{
    const std::string alphabet = "aAbB \xE9\xC9\xDF\r\n.e";
    uint64_t state = 12345;
    auto next = [&state](uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 33) % bound;
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
            const uint32_t textLength = 1 + next(4);
            for (uint32_t i = 0; i < textLength; ++i) text += alphabet[next(alphabet.size())];
        }
        for (bool caseSensitive : {false, true}) {
            const bool expected = NaiveContains(field.c_str(), text, caseSensitive);
            matches += expected ? 1 : 0;
            ASSERT_EQ(FieldContains(field.c_str(), text.c_str(), caseSensitive), expected)
                << "field '" << field << "' text '" << text << "' case " << caseSensitive;
        }
    }
    // The generator must give both outcomes plenty of times.
    EXPECT_GT(matches, 5000);
    EXPECT_LT(matches, 35000);
}

}  // namespace
