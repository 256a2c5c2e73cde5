#include "store/text/text_rules.h"

namespace {

enum : unsigned char { kClassLetter = 1, kClassDigit = 2, kClassMark = 4 };

// Hyphen, apostrophe and soft hyphen weigh nothing in the alphabetical order ("O'Brien" sorts
// with "Obrien", "Smith-Jones" after "Smithers"), as in the system's word sort; they only tell
// apart texts that are otherwise the same.
constexpr unsigned char kMarks[] = {'-', '\'', 0xAD};

// Accent marks: the second level of the comparison. 0 is the plain letter.
enum : unsigned char {
    kPlain, kAcute, kGrave, kCircumflex, kDiaeresis, kTilde, kRing, kCedilla, kStroke, kCaron,
    kHook, kOrdinal, kLigature, kEth
};

// The letters beyond A-Z: lower-case byte, upper-case partner (0 for none), the base letter
// or letters they sort as, and their accent. '{' and '|' stand for the two letters that sort
// after z (thorn, then micro).
struct ExtraLetter {
    unsigned char lower;
    unsigned char upper;
    char base;
    char base2;
    unsigned char accent;
};

constexpr ExtraLetter kExtraLetters[] = {
    {0x83, 0x00, 'f', 0, kHook},        {0x9A, 0x8A, 's', 0, kCaron},
    {0x9C, 0x8C, 'o', 'e', kLigature},  {0x9E, 0x8E, 'z', 0, kCaron},
    {0xFF, 0x9F, 'y', 0, kDiaeresis},   {0xAA, 0x00, 'a', 0, kOrdinal},
    {0xB5, 0x00, '|', 0, kPlain},       {0xBA, 0x00, 'o', 0, kOrdinal},
    {0xDF, 0x00, 's', 's', kLigature},  {0xE0, 0xC0, 'a', 0, kGrave},
    {0xE1, 0xC1, 'a', 0, kAcute},       {0xE2, 0xC2, 'a', 0, kCircumflex},
    {0xE3, 0xC3, 'a', 0, kTilde},       {0xE4, 0xC4, 'a', 0, kDiaeresis},
    {0xE5, 0xC5, 'a', 0, kRing},        {0xE6, 0xC6, 'a', 'e', kLigature},
    {0xE7, 0xC7, 'c', 0, kCedilla},     {0xE8, 0xC8, 'e', 0, kGrave},
    {0xE9, 0xC9, 'e', 0, kAcute},       {0xEA, 0xCA, 'e', 0, kCircumflex},
    {0xEB, 0xCB, 'e', 0, kDiaeresis},   {0xEC, 0xCC, 'i', 0, kGrave},
    {0xED, 0xCD, 'i', 0, kAcute},       {0xEE, 0xCE, 'i', 0, kCircumflex},
    {0xEF, 0xCF, 'i', 0, kDiaeresis},   {0xF0, 0xD0, 'd', 0, kEth},
    {0xF1, 0xD1, 'n', 0, kTilde},       {0xF2, 0xD2, 'o', 0, kGrave},
    {0xF3, 0xD3, 'o', 0, kAcute},       {0xF4, 0xD4, 'o', 0, kCircumflex},
    {0xF5, 0xD5, 'o', 0, kTilde},       {0xF6, 0xD6, 'o', 0, kDiaeresis},
    {0xF8, 0xD8, 'o', 0, kStroke},      {0xF9, 0xD9, 'u', 0, kGrave},
    {0xFA, 0xDA, 'u', 0, kAcute},       {0xFB, 0xDB, 'u', 0, kCircumflex},
    {0xFC, 0xDC, 'u', 0, kDiaeresis},   {0xFD, 0xDD, 'y', 0, kAcute},
    {0xFE, 0xDE, '{', 0, kPlain},
};

struct Tables {
    unsigned char lower[256];
    unsigned char upper[256];
    unsigned char classes[256];
    unsigned short primary[256];   // first (alphabetical) level; 0 only for the terminator
    unsigned short primary2[256];  // second weight of a ligature, else 0
    unsigned char secondary[256];  // accent level
};

// Bytes that code page 1252 leaves undefined sort with the control characters.
constexpr bool IsControlByte(int c)
{
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 ||
           c == 0x9D;
}

constexpr Tables BuildTables()
{
    Tables t{};
    for (int c = 0; c < 256; ++c) {
        t.lower[c] = static_cast<unsigned char>(c);
        t.upper[c] = static_cast<unsigned char>(c);
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        t.classes[c] = t.classes[c - 32] = kClassLetter;
        t.lower[c - 32] = static_cast<unsigned char>(c);
        t.upper[c] = static_cast<unsigned char>(c - 32);
    }
    for (int c = '0'; c <= '9'; ++c) t.classes[c] = kClassDigit;
    for (unsigned char mark : kMarks) t.classes[mark] = kClassMark;
    for (const ExtraLetter& letter : kExtraLetters) {
        t.classes[letter.lower] = kClassLetter;
        if (letter.upper != 0) {
            t.classes[letter.upper] = kClassLetter;
            t.lower[letter.upper] = letter.lower;
            t.upper[letter.lower] = letter.upper;
        }
    }

    // Primary weights: control characters, then the other non-letters in byte order, then
    // digits, then the letters a..z and the two after z.
    unsigned short next = 1;
    for (int c = 1; c < 256; ++c)
        if (IsControlByte(c)) t.primary[c] = next++;
    for (int c = 1; c < 256; ++c)
        if (!IsControlByte(c) && (t.classes[c] == 0 || t.classes[c] == kClassMark))
            t.primary[c] = next++;
    for (int c = '0'; c <= '9'; ++c) t.primary[c] = next++;
    const unsigned short letterBase = next;
    auto letterWeight = [letterBase](char base) {
        return static_cast<unsigned short>(letterBase + (base - 'a'));
    };
    for (int c = 'a'; c <= 'z'; ++c) t.primary[c] = t.primary[c - 32] = letterWeight(static_cast<char>(c));
    for (const ExtraLetter& letter : kExtraLetters) {
        t.primary[letter.lower] = letterWeight(letter.base);
        t.primary2[letter.lower] = letter.base2 != 0 ? letterWeight(letter.base2) : 0;
        t.secondary[letter.lower] = letter.accent;
        if (letter.upper != 0) {
            t.primary[letter.upper] = t.primary[letter.lower];
            t.primary2[letter.upper] = t.primary2[letter.lower];
            t.secondary[letter.upper] = letter.accent;
        }
    }
    return t;
}

constexpr Tables kTables = BuildTables();

constexpr unsigned MaxPrimaryWeight()
{
    unsigned highest = 0;
    for (unsigned short weight : kTables.primary) highest = weight > highest ? weight : highest;
    return highest;
}
// Weight prefixes keep one byte per weight; no text has a prefix of all ones, which sorted
// lists keep for an absent field.
static_assert(MaxPrimaryWeight() < 255, "primary weights must fit in a byte, below 255");

inline unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

inline bool IsMark(unsigned char c) { return kTables.classes[c] == kClassMark; }

// A run of text read as a stream of weights; a ligature gives two, a mark none. With no end
// pointer the run ends at its terminator.
struct WeightStream {
    const unsigned char* at;
    const unsigned char* end;
    bool secondLetterDue = false;
    unsigned char lastByte = 0;

    bool AtEnd() const { return end != nullptr ? at == end : *at == 0; }

    // The next byte that is not a mark; false at the end.
    bool NextByte()
    {
        while (!AtEnd() && IsMark(*at)) ++at;
        if (AtEnd()) return false;
        lastByte = *at++;
        secondLetterDue = kTables.primary2[lastByte] != 0;
        return true;
    }

    unsigned short NextPrimary()
    {
        if (secondLetterDue) {
            secondLetterDue = false;
            return kTables.primary2[lastByte];
        }
        return NextByte() ? kTables.primary[lastByte] : 0;
    }

    // Called in step with NextPrimary over texts whose primary weights are all equal.
    unsigned char NextSecondary()
    {
        if (secondLetterDue) {
            secondLetterDue = false;
            return kPlain;
        }
        return NextByte() ? kTables.secondary[lastByte] : static_cast<unsigned char>(kPlain);
    }

    // The next mark and the number of weights before it; false when no mark follows.
    bool NextMark(unsigned& position, unsigned char& mark)
    {
        for (; !AtEnd(); ++at) {
            if (IsMark(*at)) {
                mark = *at++;
                return true;
            }
            position += kTables.primary2[*at] != 0 ? 2 : 1;
        }
        return false;
    }
};

// Over texts equal but for their marks: the one without further marks first, then the one
// whose mark comes later, then the lower mark.
int CompareMarks(WeightStream a, WeightStream b)
{
    unsigned positionA = 0;
    unsigned positionB = 0;
    for (;;) {
        unsigned char markA = 0;
        unsigned char markB = 0;
        const bool moreA = a.NextMark(positionA, markA);
        const bool moreB = b.NextMark(positionB, markB);
        if (!moreA || !moreB) return moreA == moreB ? 0 : moreA ? 1 : -1;
        if (positionA != positionB) return positionA > positionB ? -1 : 1;
        if (markA != markB) return markA < markB ? -1 : 1;
    }
}

int Compare(const unsigned char* a, const unsigned char* aEnd, const unsigned char* b,
            const unsigned char* bEnd)
{
    WeightStream sa{a, aEnd};
    WeightStream sb{b, bEnd};
    // A common prefix that differs at most in case has equal weights on every level.
    while (!sa.AtEnd() && !sb.AtEnd() && kTables.lower[*sa.at] == kTables.lower[*sb.at]) {
        ++sa.at;
        ++sb.at;
    }
    if (sa.AtEnd() && sb.AtEnd()) return 0;

    const WeightStream restA = sa;
    const WeightStream restB = sb;
    for (;;) {
        const unsigned short wa = sa.NextPrimary();
        const unsigned short wb = sb.NextPrimary();
        if (wa != wb) return wa < wb ? -1 : 1;
        if (wa == 0) break;
    }
    sa = restA;
    sb = restB;
    for (;;) {
        const unsigned char wa = sa.NextSecondary();
        const unsigned char wb = sb.NextSecondary();
        if (wa != wb) return wa < wb ? -1 : 1;
        if (sa.AtEnd() && !sa.secondLetterDue && sb.AtEnd() && !sb.secondLetterDue) break;
    }
    return CompareMarks(restA, restB);
}

uint64_t Prefix(WeightStream stream)
{
    uint64_t prefix = 0;
    for (int i = 0; i < 8; ++i) prefix = (prefix << 8) | stream.NextPrimary();
    return prefix;
}

const unsigned char kEmpty[1] = {0};

const unsigned char* Bytes(const char* text)
{
    return text != nullptr ? reinterpret_cast<const unsigned char*>(text) : kEmpty;
}

}  // namespace

bool IsLetter(char c) { return kTables.classes[Byte(c)] == kClassLetter; }
bool IsDigit(char c) { return kTables.classes[Byte(c)] == kClassDigit; }
bool IsAlphaNumeric(char c) { return IsLetter(c) || IsDigit(c); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char ToLowerChar(char c) { return static_cast<char>(kTables.lower[Byte(c)]); }
char ToUpperChar(char c) { return static_cast<char>(kTables.upper[Byte(c)]); }

int CompareTextI(const char* a, const char* b)
{
    return Compare(Bytes(a), nullptr, Bytes(b), nullptr);
}

int CompareTextI(const char* a, std::size_t aLength, const char* b, std::size_t bLength)
{
    const unsigned char* pa = Bytes(a);
    const unsigned char* pb = Bytes(b);
    if (a == nullptr) aLength = 0;
    if (b == nullptr) bLength = 0;
    return Compare(pa, pa + aLength, pb, pb + bLength);
}

uint64_t PrimaryWeightPrefix(const char* text) { return Prefix(WeightStream{Bytes(text), nullptr}); }

uint64_t PrimaryWeightPrefix(const char* text, std::size_t length)
{
    const unsigned char* bytes = Bytes(text);
    if (text == nullptr) length = 0;
    return Prefix(WeightStream{bytes, bytes + length});
}
