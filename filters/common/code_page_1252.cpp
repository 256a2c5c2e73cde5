#include "filters/common/code_page_1252.h"

#include <array>
#include <iterator>

namespace {

enum : unsigned char { kLetter = 1, kDigit = 2, kLower = 4, kUpper = 8 };

struct ByteRange {
    unsigned char first;
    unsigned char last;
};

struct CasePair {
    unsigned char upper;
    unsigned char lower;
};

// Letters without a case partner in the code page: f with hook, the ordinal indicators, micro
// sign and sharp s are lower case; they stay as they are when made upper case.
constexpr ByteRange kUnpairedLower[] = {{0x83, 0x83}, {0xAA, 0xAA}, {0xB5, 0xB5},
                                        {0xBA, 0xBA}, {0xDF, 0xDF}};
// The modifier letter circumflex is a letter of neither case.
constexpr ByteRange kCaselessLetters[] = {{0x88, 0x88}};
constexpr ByteRange kDigits[] = {{'0', '9'}, {0xB2, 0xB3}, {0xB9, 0xB9}};
// Case pairs outside the runs below: S, OE and Z with caron, Y with diaeresis.
constexpr CasePair kSinglePairs[] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
// Runs of upper-case letters whose lower-case partners lie 0x20 above; the multiplication and
// division signs (0xD7, 0xF7) break the Latin-1 run.
constexpr ByteRange kShiftedUpper[] = {{'A', 'Z'}, {0xC0, 0xD6}, {0xD8, 0xDE}};

struct Tables {
    std::array<unsigned char, 256> classes{};
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> upper{};
};

constexpr void AddPair(Tables& t, unsigned upper, unsigned lower)
{
    t.classes[upper] |= kLetter | kUpper;
    t.classes[lower] |= kLetter | kLower;
    t.lower[upper] = static_cast<unsigned char>(lower);
    t.upper[lower] = static_cast<unsigned char>(upper);
}

constexpr Tables MakeTables()
{
    Tables t;
    for (unsigned c = 0; c < 256; ++c)
        t.lower[c] = t.upper[c] = static_cast<unsigned char>(c);
    for (const ByteRange& r : kShiftedUpper) {
        for (unsigned c = r.first; c <= r.last; ++c)
            AddPair(t, c, c + 0x20);
    }
    for (const CasePair& p : kSinglePairs)
        AddPair(t, p.upper, p.lower);
    for (const ByteRange& r : kUnpairedLower) {
        for (unsigned c = r.first; c <= r.last; ++c)
            t.classes[c] |= kLetter | kLower;
    }
    for (const ByteRange& r : kCaselessLetters) {
        for (unsigned c = r.first; c <= r.last; ++c)
            t.classes[c] |= kLetter;
    }
    for (const ByteRange& r : kDigits) {
        for (unsigned c = r.first; c <= r.last; ++c)
            t.classes[c] |= kDigit;
    }
    return t;
}

constexpr Tables kTables = MakeTables();

static_assert(std::size(kTables.classes) == 256);

}  // namespace

bool IsLetter1252(unsigned char c)
{
    return (kTables.classes[c] & kLetter) != 0;
}

bool IsLetterOrDigit1252(unsigned char c)
{
    return (kTables.classes[c] & (kLetter | kDigit)) != 0;
}

bool IsLower1252(unsigned char c)
{
    return (kTables.classes[c] & kLower) != 0;
}

bool IsUpper1252(unsigned char c)
{
    return (kTables.classes[c] & kUpper) != 0;
}

unsigned char ToLower1252(unsigned char c)
{
    return kTables.lower[c];
}

unsigned char ToUpper1252(unsigned char c)
{
    return kTables.upper[c];
}
