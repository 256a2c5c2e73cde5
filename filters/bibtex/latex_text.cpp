#include "filters/bibtex/latex_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "filters/common/code_page_1252.h"
#include "filters/common/text_edit.h"
#include "text_encoding.h"

namespace {

// A letter with an accent: its character, the accent command (\' \` \^ \~ \" \= \. or the
// letter commands \c \v \r \u \H \k \d) and the letter it goes on.
struct AccentedLetter {
    unsigned short character;
    char accent;
    char base;
};

constexpr AccentedLetter kAccentedLetters[] = {
    {0x0C0, '`', 'A'}, {0x0C1, '\'', 'A'}, {0x0C2, '^', 'A'}, {0x0C3, '~', 'A'}, {0x0C4, '"', 'A'},
    {0x0C5, 'r', 'A'}, {0x0C7, 'c', 'C'}, {0x0C8, '`', 'E'}, {0x0C9, '\'', 'E'}, {0x0CA, '^', 'E'},
    {0x0CB, '"', 'E'}, {0x0CC, '`', 'I'}, {0x0CD, '\'', 'I'}, {0x0CE, '^', 'I'}, {0x0CF, '"', 'I'},
    {0x0D1, '~', 'N'}, {0x0D2, '`', 'O'}, {0x0D3, '\'', 'O'}, {0x0D4, '^', 'O'}, {0x0D5, '~', 'O'},
    {0x0D6, '"', 'O'}, {0x0D9, '`', 'U'}, {0x0DA, '\'', 'U'}, {0x0DB, '^', 'U'}, {0x0DC, '"', 'U'},
    {0x0DD, '\'', 'Y'}, {0x0E0, '`', 'a'}, {0x0E1, '\'', 'a'}, {0x0E2, '^', 'a'},
    {0x0E3, '~', 'a'}, {0x0E4, '"', 'a'}, {0x0E5, 'r', 'a'}, {0x0E7, 'c', 'c'}, {0x0E8, '`', 'e'},
    {0x0E9, '\'', 'e'}, {0x0EA, '^', 'e'}, {0x0EB, '"', 'e'}, {0x0EC, '`', 'i'},
    {0x0ED, '\'', 'i'}, {0x0EE, '^', 'i'}, {0x0EF, '"', 'i'}, {0x0F1, '~', 'n'}, {0x0F2, '`', 'o'},
    {0x0F3, '\'', 'o'}, {0x0F4, '^', 'o'}, {0x0F5, '~', 'o'}, {0x0F6, '"', 'o'}, {0x0F9, '`', 'u'},
    {0x0FA, '\'', 'u'}, {0x0FB, '^', 'u'}, {0x0FC, '"', 'u'}, {0x0FD, '\'', 'y'},
    {0x0FF, '"', 'y'}, {0x100, '=', 'A'}, {0x101, '=', 'a'}, {0x102, 'u', 'A'}, {0x103, 'u', 'a'},
    {0x104, 'k', 'A'}, {0x105, 'k', 'a'}, {0x106, '\'', 'C'}, {0x107, '\'', 'c'},
    {0x108, '^', 'C'}, {0x109, '^', 'c'}, {0x10A, '.', 'C'}, {0x10B, '.', 'c'}, {0x10C, 'v', 'C'},
    {0x10D, 'v', 'c'}, {0x10E, 'v', 'D'}, {0x10F, 'v', 'd'}, {0x112, '=', 'E'}, {0x113, '=', 'e'},
    {0x114, 'u', 'E'}, {0x115, 'u', 'e'}, {0x116, '.', 'E'}, {0x117, '.', 'e'}, {0x118, 'k', 'E'},
    {0x119, 'k', 'e'}, {0x11A, 'v', 'E'}, {0x11B, 'v', 'e'}, {0x11C, '^', 'G'}, {0x11D, '^', 'g'},
    {0x11E, 'u', 'G'}, {0x11F, 'u', 'g'}, {0x120, '.', 'G'}, {0x121, '.', 'g'}, {0x122, 'c', 'G'},
    {0x123, 'c', 'g'}, {0x124, '^', 'H'}, {0x125, '^', 'h'}, {0x128, '~', 'I'}, {0x129, '~', 'i'},
    {0x12A, '=', 'I'}, {0x12B, '=', 'i'}, {0x12C, 'u', 'I'}, {0x12D, 'u', 'i'}, {0x12E, 'k', 'I'},
    {0x12F, 'k', 'i'}, {0x130, '.', 'I'}, {0x134, '^', 'J'}, {0x135, '^', 'j'}, {0x136, 'c', 'K'},
    {0x137, 'c', 'k'}, {0x139, '\'', 'L'}, {0x13A, '\'', 'l'}, {0x13B, 'c', 'L'},
    {0x13C, 'c', 'l'}, {0x13D, 'v', 'L'}, {0x13E, 'v', 'l'}, {0x143, '\'', 'N'},
    {0x144, '\'', 'n'}, {0x145, 'c', 'N'}, {0x146, 'c', 'n'}, {0x147, 'v', 'N'}, {0x148, 'v', 'n'},
    {0x14C, '=', 'O'}, {0x14D, '=', 'o'}, {0x14E, 'u', 'O'}, {0x14F, 'u', 'o'}, {0x150, 'H', 'O'},
    {0x151, 'H', 'o'}, {0x154, '\'', 'R'}, {0x155, '\'', 'r'}, {0x156, 'c', 'R'},
    {0x157, 'c', 'r'}, {0x158, 'v', 'R'}, {0x159, 'v', 'r'}, {0x15A, '\'', 'S'},
    {0x15B, '\'', 's'}, {0x15C, '^', 'S'}, {0x15D, '^', 's'}, {0x15E, 'c', 'S'}, {0x15F, 'c', 's'},
    {0x160, 'v', 'S'}, {0x161, 'v', 's'}, {0x162, 'c', 'T'}, {0x163, 'c', 't'}, {0x164, 'v', 'T'},
    {0x165, 'v', 't'}, {0x168, '~', 'U'}, {0x169, '~', 'u'}, {0x16A, '=', 'U'}, {0x16B, '=', 'u'},
    {0x16C, 'u', 'U'}, {0x16D, 'u', 'u'}, {0x16E, 'r', 'U'}, {0x16F, 'r', 'u'}, {0x170, 'H', 'U'},
    {0x171, 'H', 'u'}, {0x172, 'k', 'U'}, {0x173, 'k', 'u'}, {0x174, '^', 'W'}, {0x175, '^', 'w'},
    {0x176, '^', 'Y'}, {0x177, '^', 'y'}, {0x178, '"', 'Y'}, {0x179, '\'', 'Z'},
    {0x17A, '\'', 'z'}, {0x17B, '.', 'Z'}, {0x17C, '.', 'z'}, {0x17D, 'v', 'Z'}, {0x17E, 'v', 'z'},
};

// A command of its own for a character. The first command of a character is the one written.
struct LatexSymbol {
    std::string_view name;
    unsigned short character;
};

constexpr LatexSymbol kSymbols[] = {
    {"ss", 0xDF},           {"ae", 0xE6},            {"AE", 0xC6},           {"oe", 0x153},
    {"OE", 0x152},          {"aa", 0xE5},            {"AA", 0xC5},           {"o", 0xF8},
    {"O", 0xD8},            {"dh", 0xF0},            {"DH", 0xD0},           {"th", 0xFE},
    {"TH", 0xDE},           {"l", 0x142},            {"L", 0x141},           {"i", 0x131},
    {"j", 0x237},           {"dj", 0x111},           {"DJ", 0x110},          {"ng", 0x14B},
    {"NG", 0x14A},          {"pounds", 0xA3},        {"textsterling", 0xA3}, {"S", 0xA7},
    {"textsection", 0xA7},  {"P", 0xB6},             {"textparagraph", 0xB6},
    {"textcopyright", 0xA9}, {"copyright", 0xA9},    {"textregistered", 0xAE},
    {"texttrademark", 0x2122}, {"textdegree", 0xB0}, {"texteuro", 0x20AC},   {"euro", 0x20AC},
    {"textendash", 0x2013}, {"textemdash", 0x2014},  {"textquoteleft", 0x2018},
    {"textquoteright", 0x2019}, {"textquotedblleft", 0x201C}, {"textquotedblright", 0x201D},
    {"quotesinglbase", 0x201A}, {"quotedblbase", 0x201E}, {"textbullet", 0x2022},
    {"textellipsis", 0x2026}, {"ldots", 0x2026},     {"dots", 0x2026},       {"textdagger", 0x2020},
    {"dag", 0x2020},        {"textdaggerdbl", 0x2021}, {"ddag", 0x2021},     {"textperthousand", 0x2030},
    {"guilsinglleft", 0x2039}, {"guilsinglright", 0x203A}, {"guillemotleft", 0xAB},
    {"guillemetleft", 0xAB}, {"guillemotright", 0xBB}, {"guillemetright", 0xBB},
    {"textexclamdown", 0xA1}, {"textquestiondown", 0xBF}, {"textcent", 0xA2},
    {"textcurrency", 0xA4}, {"textyen", 0xA5},       {"textbrokenbar", 0xA6},
    {"textasciidieresis", 0xA8}, {"textordfeminine", 0xAA}, {"textlnot", 0xAC}, {"neg", 0xAC},
    {"lnot", 0xAC},         {"textasciimacron", 0xAF}, {"textpm", 0xB1},     {"pm", 0xB1},
    {"texttwosuperior", 0xB2}, {"textthreesuperior", 0xB3}, {"textasciiacute", 0xB4},
    {"textmu", 0xB5},       {"mu", 0xB5},            {"textperiodcentered", 0xB7},
    {"cdot", 0xB7},         {"textonesuperior", 0xB9}, {"textordmasculine", 0xBA},
    {"textonequarter", 0xBC}, {"textonehalf", 0xBD}, {"textthreequarters", 0xBE},
    {"texttimes", 0xD7},    {"times", 0xD7},         {"textdiv", 0xF7},      {"div", 0xF7},
    {"textflorin", 0x192},  {"nobreakspace", 0xA0},  {"textbackslash", '\\'},
    {"textasciitilde", '~'}, {"textasciicircum", '^'}, {"textunderscore", '_'},
    {"textbar", '|'},       {"textless", '<'},       {"textgreater", '>'},   {"textbraceleft", '{'},
    {"textbraceright", '}'}, {"textdollar", '$'},    {"textasciigrave", '`'},
};

// Formatting commands and switches: the command goes, its argument stays as text.
constexpr std::string_view kDroppedCommands[] = {
    "emph",   "textit", "textbf",     "textsc",   "textrm",   "texttt",   "textsf",  "textup",
    "textmd", "textsl", "textnormal", "mbox",     "text",     "mathrm",   "mathit",  "mathbf",
    "mathsf", "mathtt", "hbox",       "url",      "em",       "it",       "bf",      "sc",
    "rm",     "tt",     "sf",         "sl",       "normalfont", "upshape", "itshape", "bfseries",
    "scshape", "mdseries", "slshape", "relax",    "protect",  "ensuremath",
};

constexpr std::string_view kLetterAccents = "cvruHkdb";
// The accents whose character the code page has, and those characters.
constexpr std::string_view kLoneAccents = "~^`\"'=c";
constexpr std::string_view kLoneAccentCharacters = "~^`\xA8\xB4\xAF\xB8";
constexpr std::string_view kSymbolAccents = "'`^\"~=.";
constexpr char kEnDash = '\x96';
constexpr char kEmDash = '\x97';

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The symbols by name, for a binary search: a file may hold millions of commands.
const std::vector<const LatexSymbol*>& SymbolsByName()
{
    static const std::vector<const LatexSymbol*> sorted = [] {
        std::vector<const LatexSymbol*> symbols;
        for (const LatexSymbol& symbol : kSymbols)
            symbols.push_back(&symbol);
        std::sort(symbols.begin(), symbols.end(),
                  [](const LatexSymbol* a, const LatexSymbol* b) { return a->name < b->name; });
        return symbols;
    }();
    return sorted;
}

const LatexSymbol* FindSymbol(std::string_view name)
{
    const std::vector<const LatexSymbol*>& symbols = SymbolsByName();
    auto found = std::lower_bound(symbols.begin(), symbols.end(), name,
                                  [](const LatexSymbol* symbol, std::string_view key) {
                                      return symbol->name < key;
                                  });
    return found != symbols.end() && (*found)->name == name ? *found : nullptr;
}

// The accented letters by accent command and letter, both ASCII.
struct AccentTable {
    unsigned short characters[128][128] = {};
};

constexpr AccentTable MakeAccentTable()
{
    AccentTable table;
    for (const AccentedLetter& letter : kAccentedLetters)
        table.characters[static_cast<unsigned char>(letter.accent)][static_cast<unsigned char>(letter.base)] =
            letter.character;
    return table;
}

constexpr AccentTable kAccentTable = MakeAccentTable();

unsigned FindAccented(char accent, char base)
{
    const unsigned char a = static_cast<unsigned char>(accent);
    const unsigned char b = static_cast<unsigned char>(base);
    return a < 128 && b < 128 ? kAccentTable.characters[a][b] : 0;
}

bool IsDropped(std::string_view name)
{
    for (std::string_view dropped : kDroppedCommands) {
        if (dropped == name)
            return true;
    }
    return false;
}

// Bytes that end a run of text copied as it stands.
constexpr std::array<bool, 256> MakeSpecialBytes()
{
    std::array<bool, 256> special{};
    for (unsigned char c : std::string_view(" \t\r\n{}\\~-`'?!$"))
        special[c] = true;
    return special;
}

constexpr std::array<bool, 256> kSpecialBytes = MakeSpecialBytes();

// The same, but for the blank: within plain text a single blank reads as itself.
constexpr std::array<bool, 256> MakeStopBytes()
{
    std::array<bool, 256> stop = kSpecialBytes;
    stop[' '] = false;
    return stop;
}

constexpr std::array<bool, 256> kStopBytes = MakeStopBytes();
constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;

uint64_t Repeat(unsigned char byte)
{
    return 0x0101010101010101ull * byte;
}

// The high bit of each zero byte of `word`, exactly.
uint64_t ZeroBytesExactly(uint64_t word)
{
    return ~(((word & kLowBits) + kLowBits) | word) & kHighBits;
}

// The high bit of each byte of `word` (all below 0x80) from `low` to `high`.
uint64_t BytesBetween(uint64_t word, unsigned char low, unsigned char high)
{
    return (word + Repeat(static_cast<unsigned char>(0x80 - low)))
         & ~(word + Repeat(static_cast<unsigned char>(0x80 - high - 1))) & kHighBits;
}

// The high bits of the bytes of `word` that are ASCII letters, digits, blanks or the
// punctuation from '(' to ';', the commonest text by far: a few operations on the eight bytes
// at once. `blanks` and `hyphens` get the high bits of those among them.
inline uint64_t CommonBytes(uint64_t word, uint64_t& blanks, uint64_t& hyphens)
{
    const uint64_t low = word & kLowBits;
    blanks = ZeroBytesExactly(word ^ Repeat(' '));
    hyphens = ZeroBytesExactly(word ^ Repeat('-'));
    const uint64_t text = BytesBetween(low | Repeat(0x20), 'a', 'z') | BytesBetween(low, '(', ';');
    return (text & ~(word & kHighBits)) | blanks;
}

// CommonBytes of the eight bytes at `p`, counting the bytes above 127 in, as reading does.
uint64_t CommonTextBytes(const unsigned char* p, uint64_t& blanks, uint64_t& hyphens)
{
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return CommonBytes(word, blanks, hyphens) | (word & kHighBits);
}

// Whether any of the bytes at `p` whose high bits are in `marks` is in `table`.
bool AnyOf(const unsigned char* p, uint64_t marks, const std::array<bool, 256>& table)
{
    for (; marks != 0; marks &= marks - 1) {
        if (table[p[__builtin_ctzll(marks) >> 3]])
            return true;
    }
    return false;
}

// The hyphens of a block that join a hyphen beside them, also the bytes `before` and `next`
// around the block.
uint64_t HyphenPairs(uint64_t hyphens, unsigned char before, unsigned char next)
{
    return hyphens
         & ((hyphens << 8) | (before == '-' ? 0x80 : 0) | (next == '-' ? 1ull << 63 : 0));
}

#if defined(__SSE2__)
// Where the processor has a vector unit, sixteen bytes at a time in the compiler's vector
// types; the plain i686 build goes eight at a time in an integer.
typedef unsigned char ByteBlock __attribute__((vector_size(16)));
constexpr size_t kBlockSize = sizeof(ByteBlock);

ByteBlock LoadBlock(const unsigned char* p)
{
    ByteBlock block;
    std::memcpy(&block, p, sizeof block);
    return block;
}

// Whether the sixteen bytes at `p` are all ASCII letters, digits, blanks, the punctuation from
// '(' to ';' and (with `upperHalf`) bytes above 127, with no blank beside a blank and no hyphen
// beside a hyphen, counting p[-1] and p[16]; with `blanksApart`, no blank beside a hyphen
// either. Such bytes read and are written as they stand.
bool CommonBlock(const unsigned char* p, bool upperHalf, bool blanksApart)
{
    const ByteBlock bytes = LoadBlock(p);
    const ByteBlock before = LoadBlock(p - 1);
    const ByteBlock after = LoadBlock(p + 1);
    const ByteBlock folded = bytes | 0x20;
    const ByteBlock blanks = reinterpret_cast<ByteBlock>(bytes == ' ');
    const ByteBlock hyphensBeside = reinterpret_cast<ByteBlock>((before == '-') | (after == '-'));
    ByteBlock common = reinterpret_cast<ByteBlock>((folded >= 'a') & (folded <= 'z'))
                     | reinterpret_cast<ByteBlock>((bytes >= '(') & (bytes <= ';')) | blanks;
    if (upperHalf)
        common |= reinterpret_cast<ByteBlock>(bytes >= 0x80);
    ByteBlock ends = ~common | (blanks & reinterpret_cast<ByteBlock>(before == ' '))
                   | (reinterpret_cast<ByteBlock>(bytes == '-') & hyphensBeside);
    if (blanksApart)
        ends |= blanks & hyphensBeside;
    uint64_t halves[2];
    std::memcpy(halves, &ends, sizeof halves);
    return (halves[0] | halves[1]) == 0;
}
#endif

size_t g_escapesWritten = 0;

// A hyphen, apostrophe, question or exclamation mark that joins neither the character before
// it nor the one after it into a dash or a quote: it stands for itself either way.
bool AloneInLigatures(const unsigned char* p, size_t i, size_t size, char before)
{
    const char c = static_cast<char>(p[i]);
    const char after = i + 1 < size ? static_cast<char>(p[i + 1]) : '\0';
    if (c == '-' || c == '\'')
        return before != c && after != c;
    return (c == '?' || c == '!') && after != '`';
}

class Decoder {
public:
    Decoder(std::string_view raw, std::string& out, LatexField field)
        : raw_(raw), out_(out), field_(field), start_(out.size())
    {
    }

    void Run()
    {
        while (at_ < raw_.size())
            Step();
    }

private:
    size_t PlainRun() const;
    void Step();
    void Blanks();
    void Dashes();
    void Command();
    void WordCommand(size_t start);
    void Accent(char accent, size_t start);
    void Math();

    char Peek(size_t offset) const
    {
        return at_ + offset < raw_.size() ? raw_[at_ + offset] : '\0';
    }

    // A blank or paragraph break seen in the text goes out only before a further character.
    void Flush()
    {
        if (out_.size() > start_) {
            if (paragraph_)
                out_ += "\r\n\r\n";
            else if (blank_)
                out_ += ' ';
        }
        blank_ = paragraph_ = false;
    }

    void Emit(char c)
    {
        Flush();
        out_ += c;
    }

    void EmitRaw(std::string_view text)
    {
        Flush();
        out_.append(text.data(), text.size());
    }

    // LaTeX kept as written, its runs of blanks and line ends one blank.
    void EmitLatex(std::string_view text)
    {
        Flush();
        bool blank = false;
        for (char c : text) {
            if (IsBlank(c)) {
                blank = true;
                continue;
            }
            if (blank)
                out_ += ' ';
            blank = false;
            out_ += c;
        }
    }

    // A character of a command: its byte, or its escape when the code page lacks it.
    void EmitCharacter(unsigned character)
    {
        const int byte = ByteOf1252(character);
        if (byte >= 0) {
            Emit(static_cast<char>(byte));
            return;
        }
        char escape[kMaxEscapeLength];
        EmitRaw(std::string_view(escape, WriteEscape(character, escape)));
        ++g_escapesWritten;
    }

    void SkipBlanks()
    {
        while (at_ < raw_.size() && IsBlank(raw_[at_]))
            ++at_;
    }

    // The end of the group that opens at `open` (one past its closing brace), or the end of
    // the text when it is not closed.
    size_t GroupEnd(size_t open) const
    {
        int depth = 0;
        for (size_t i = open; i < raw_.size(); ++i) {
            if (raw_[i] == '\\') {
                ++i;
            } else if (raw_[i] == '{') {
                ++depth;
            } else if (raw_[i] == '}' && --depth == 0) {
                return i + 1;
            }
        }
        return raw_.size();
    }

    std::string_view raw_;
    std::string& out_;
    LatexField field_;
    size_t start_;
    size_t at_ = 0;
    bool blank_ = false;
    bool paragraph_ = false;
};

// The end of the plain text from at_ on: bytes of no meaning to LaTeX with single blanks
// between them, which read as they stand. Eight bytes at a time, since most of a file is such
// text. It neither starts nor ends with a blank.
size_t Decoder::PlainRun() const
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(raw_.data());
    const size_t size = raw_.size();
    size_t i = at_;
    if (i >= size || kSpecialBytes[p[i]])
        return i;
    ++i;
    for (bool going = true; going && i < size;) {
#if defined(__SSE2__)
        while (i + kBlockSize < size && CommonBlock(p + i, true, false))
            i += kBlockSize;
#endif
        for (; i + 8 <= size; i += 8) {
            uint64_t blanks;
            uint64_t hyphens;
            const uint64_t common = CommonTextBytes(p + i, blanks, hyphens);
            if (common != kHighBits && AnyOf(p + i, ~common & kHighBits, kStopBytes))
                break;
            // Two blanks or two hyphens in a row, also across the block's ends.
            if ((blanks & ((blanks << 8) | (p[i - 1] == ' ' ? 0x80 : 0))) != 0
                || HyphenPairs(hyphens, p[i - 1], i + 8 < size ? p[i + 8] : 0) != 0)
                break;
        }
        // The block that stopped the loop, byte by byte.
        for (const size_t blockEnd = std::min(i + 8, size); going && i < blockEnd; ++i) {
            going = (!kStopBytes[p[i]] || AloneInLigatures(p, i, size, static_cast<char>(p[i - 1])))
                 && !(p[i] == ' ' && p[i - 1] == ' ');
            if (!going)
                --i;
        }
    }
    while (i > at_ && p[i - 1] == ' ')
        --i;
    return i;
}

void Decoder::Step()
{
    const size_t run = PlainRun();
    if (run > at_) {
        EmitRaw(raw_.substr(at_, run - at_));
        at_ = run;
        return;
    }
    const char c = raw_[at_];
    switch (c) {
    case ' ': case '\t': case '\r': case '\n':
        Blanks();
        return;
    case '{': {
        // The escape of a character the code page lacks, as the reading of the file made it.
        uint32_t character;
        const size_t length = ReadEscape(raw_.data() + at_, raw_.data() + raw_.size(), character);
        if (length > 0)
            EmitRaw(raw_.substr(at_, length));
        at_ += length > 0 ? length : 1;
        return;
    }
    case '}':
        ++at_;
        return;
    case '\\':
        Command();
        return;
    case '~':
        Emit(' ');
        ++at_;
        return;
    case '-':
        Dashes();
        return;
    case '$':
        Math();
        return;
    default:
        break;
    }
    const char next = Peek(1);
    if (c == '`' && next != '`') {
        // TeX's opening quote.
        Emit('\x91');
        ++at_;
        return;
    }
    if (c == '`' && next == '`') {
        Emit('\x93');
    } else if (c == '\'' && next == '\'') {
        Emit('\x94');
    } else if ((c == '?' || c == '!') && next == '`') {
        Emit(c == '?' ? '\xBF' : '\xA1');
    } else {
        Emit(c);
        ++at_;
        return;
    }
    at_ += 2;
}

void Decoder::Blanks()
{
    int lineEnds = 0;
    while (at_ < raw_.size() && IsBlank(raw_[at_])) {
        if (raw_[at_] == '\n')
            ++lineEnds;
        ++at_;
    }
    blank_ = true;
    if (field_ == LatexField::kAbstract && lineEnds >= 2)
        paragraph_ = true;
}

void Decoder::Dashes()
{
    size_t count = 0;
    while (Peek(count) == '-')
        ++count;
    at_ += count;
    if (field_ == LatexField::kPages && count >= 2) {
        Emit('-');
        return;
    }
    for (; count >= 3; count -= 3)
        Emit(kEmDash);
    if (count == 2)
        Emit(kEnDash);
    else if (count == 1)
        Emit('-');
}

void Decoder::Command()
{
    const size_t start = at_;
    const char next = Peek(1);
    if (IsAsciiLetter(next)) {
        WordCommand(start);
        return;
    }
    at_ += next == '\0' ? 1 : 2;
    if (kSymbolAccents.find(next) != std::string_view::npos && next != '\0') {
        Accent(next, start);
    } else if (std::string_view("&%$#_{}").find(next) != std::string_view::npos && next != '\0') {
        Emit(next);
    } else if (IsBlank(next) || next == ',' || next == ';' || next == ':' || next == '\\') {
        Emit(' ');
    } else if (next == '-') {
        Emit('\xAD');
    } else if (next != '!' && next != '/' && next != '@') {
        EmitLatex(raw_.substr(start, at_ - start));
    }
}

void Decoder::WordCommand(size_t start)
{
    size_t end = at_ + 1;
    while (end < raw_.size() && IsAsciiLetter(raw_[end]))
        ++end;
    std::string_view name = raw_.substr(at_ + 1, end - at_ - 1);
    at_ = end;
    if (name.size() == 1 && kLetterAccents.find(name[0]) != std::string_view::npos) {
        SkipBlanks();
        Accent(name[0], start);
    } else if (const LatexSymbol* symbol = FindSymbol(name)) {
        SkipBlanks();
        if (Peek(0) == '{' && Peek(1) == '}')
            at_ += 2;
        EmitCharacter(symbol->character);
    } else if (IsDropped(name)) {
        SkipBlanks();
    } else if (name == "par") {
        SkipBlanks();
        blank_ = true;
        paragraph_ = paragraph_ || field_ == LatexField::kAbstract;
    } else {
        // An unknown command stays as written, with the arguments in braces that follow it.
        while (Peek(0) == '{')
            at_ = GroupEnd(at_);
        EmitLatex(raw_.substr(start, at_ - start));
    }
}

void Decoder::Accent(char accent, size_t start)
{
    std::string_view argument;
    if (Peek(0) == '{') {
        size_t end = GroupEnd(at_);
        size_t innerEnd = raw_[end - 1] == '}' && end - 1 > at_ ? end - 1 : end;
        argument = raw_.substr(at_ + 1, innerEnd - at_ - 1);
        at_ = end;
    } else if (Peek(0) == '\\' && IsAsciiLetter(Peek(1))) {
        size_t end = at_ + 1;
        while (end < raw_.size() && IsAsciiLetter(raw_[end]))
            ++end;
        argument = raw_.substr(at_, end - at_);
        at_ = end;
    } else if (at_ < raw_.size() && raw_[at_] != '}') {
        argument = raw_.substr(at_++, 1);
    }
    while (!argument.empty() && (IsBlank(argument.front()) || argument.front() == '{'))
        argument.remove_prefix(1);
    while (!argument.empty() && (IsBlank(argument.back()) || argument.back() == '}'))
        argument.remove_suffix(1);
    // An accent on nothing ("\\~{}") is the accent's own character.
    const size_t alone = kLoneAccents.find(accent);
    if (argument.empty() && alone != std::string_view::npos) {
        Emit(kLoneAccentCharacters[alone]);
        return;
    }
    char base = '\0';
    if (argument == "\\i" || argument == "\\j")
        base = argument[1];
    else if (argument.size() == 1 && IsAsciiLetter(argument[0]))
        base = argument[0];
    unsigned character = base != '\0' ? FindAccented(accent, base) : 0;
    if (character != 0)
        EmitCharacter(character);
    else
        EmitLatex(raw_.substr(start, at_ - start));
}

// "$...$": the text of the formula when every command in it is known, else the formula as
// written.
void Decoder::Math()
{
    size_t close = at_ + 1;
    while (close < raw_.size() && raw_[close] != '$') {
        if (raw_[close] == '\\')
            ++close;
        ++close;
    }
    if (close >= raw_.size()) {
        Emit('$');
        ++at_;
        return;
    }
    std::string inner;
    DecodeLatex(raw_.substr(at_ + 1, close - at_ - 1), inner, LatexField::kText);
    const bool known = inner.find('\\') == std::string::npos
                    && inner.find_first_of("^_") == std::string::npos;
    if (known)
        EmitRaw(inner);
    else
        EmitLatex(raw_.substr(at_, close + 1 - at_));
    at_ = close + 1;
}

}  // namespace

namespace {

// Texts this short are most fields (a name, a year, a place); when they hold nothing LaTeX
// gives a meaning to, they read as they stand, and the decoder is not worth setting up.
constexpr size_t kShortText = 64;

bool IsShortPlainText(std::string_view raw)
{
    const size_t size = raw.size();
    if (size > kShortText || (size > 0 && (raw.front() == ' ' || raw.back() == ' ')))
        return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(raw.data());
    size_t i = 0;
    // Eight at a time while they are common text without a hyphen or two blanks in a row
    // (the last byte is no blank, so a blank at a block's end has a byte behind it).
    for (; i + 8 <= size; i += 8) {
        uint64_t blanks;
        uint64_t hyphens;
        const uint64_t common = CommonTextBytes(p + i, blanks, hyphens);
        if (common != kHighBits || hyphens != 0 || (blanks & (blanks << 8)) != 0
            || ((blanks >> 63) != 0 && p[i + 8] == ' '))
            break;
    }
    for (; i < size; ++i) {
        if (kStopBytes[p[i]] || (p[i] == ' ' && p[i + 1] == ' '))
            return false;
    }
    return true;
}

}  // namespace

void DecodeLatex(std::string_view raw, std::string& out, LatexField field)
{
    if (IsShortPlainText(raw))
        out.append(raw.data(), raw.size());
    else
        Decoder(raw, out, field).Run();
}

size_t TakeEscapesWritten()
{
    const size_t count = g_escapesWritten;
    g_escapesWritten = 0;
    return count;
}

namespace {

// How each byte is written: empty for a byte written as it stands.
struct Forms {
    std::string latex[256];
    std::string ascii[256];  // AppendAsciiLetters
    // A page range reads "--" as its hyphen, so its dashes go out as commands.
    std::string pageDashes[2];
    // How each byte goes out (blanks aside), with letters as commands and not: kStop, kPlain
    // as it stands, kForm its form, which no dash or quote around it can join.
    unsigned char kindCommands[256] = {};
    unsigned char kindLetters[256] = {};
    bool upper[256] = {};
    bool blank[256] = {};  // blanks and line ends, which part words
};

enum : unsigned char { kStop, kPlain, kForm };

bool IsLetterName(std::string_view name)
{
    for (char c : name) {
        if (!IsAsciiLetter(c))
            return false;
    }
    return true;
}

std::string FormOf(unsigned character)
{
    for (const LatexSymbol& symbol : kSymbols) {
        if (symbol.character == character)
            return "{\\" + std::string(symbol.name) + "}";
    }
    for (const AccentedLetter& letter : kAccentedLetters) {
        if (letter.character != character)
            continue;
        if (kLetterAccents.find(letter.accent) != std::string_view::npos)
            return std::string("{\\") + letter.accent + "{" + letter.base + "}}";
        return std::string("{\\") + letter.accent + letter.base + "}";
    }
    return {};
}

std::string AsciiOf(unsigned character)
{
    for (const AccentedLetter& letter : kAccentedLetters) {
        if (letter.character == character)
            return std::string(1, letter.base);
    }
    for (const LatexSymbol& symbol : kSymbols) {
        if (symbol.character == character && IsLetterName(symbol.name))
            return std::string(symbol.name);
    }
    return {};
}

Forms MakeForms()
{
    Forms forms;
    for (unsigned c = 0x80; c < 0x100; ++c) {
        unsigned character = CharacterOf1252(static_cast<unsigned char>(c));
        forms.latex[c] = FormOf(character);
        if (IsLetter1252(static_cast<unsigned char>(c)))
            forms.ascii[c] = AsciiOf(character);
    }
    for (unsigned c = '0'; c < 0x80; ++c) {
        if (IsAsciiLetter(static_cast<char>(c)) || (c >= '0' && c <= '9'))
            forms.ascii[c] = std::string(1, static_cast<char>(c));
    }
    for (char c : std::string_view("&%$#_"))
        forms.latex[static_cast<unsigned char>(c)] = std::string("\\") + c;
    // BibTeX counts every brace, escaped or not: a lone brace goes out as a command, as do
    // the characters that have no escape of their own.
    for (char c : std::string_view("{}\\~^`"))
        forms.latex[static_cast<unsigned char>(c)] = FormOf(static_cast<unsigned char>(c));
    forms.pageDashes[0] = forms.latex[0x96];
    forms.pageDashes[1] = forms.latex[0x97];
    forms.latex[0x96] = "--";
    forms.latex[0x97] = "---";
    forms.latex[0x93] = "``";
    forms.latex[0x91] = "`";
    forms.latex[0x94] = "''";
    forms.latex[0xAD] = "\\-";

    // Written one by one, so that two of them in a row are kept apart.
    for (char c : std::string_view("-'?!"))
        forms.latex[static_cast<unsigned char>(c)] = std::string(1, c);
    for (unsigned c = 0; c < 256; ++c) {
        const std::string& form = forms.latex[c];
        const bool plain = c > ' ' && c != '{' && c != 0x7F;
        const bool joins = !form.empty()
                        && (std::string_view("-`'?!").find(form.front()) != std::string_view::npos
                            || std::string_view("-`'?!").find(form.back()) != std::string_view::npos);
        forms.kindCommands[c] = static_cast<unsigned char>(!plain ? kStop
                                                           : form.empty() ? kPlain
                                                           : joins        ? kStop
                                                                          : kForm);
        forms.kindLetters[c] = c >= 0x80 ? static_cast<unsigned char>(kPlain) : forms.kindCommands[c];
        forms.upper[c] = IsUpper1252(static_cast<unsigned char>(c));
        forms.blank[c] = c == ' ' || c == '\t' || c == '\r' || c == '\n';
    }
    return forms;
}

const Forms& TheForms()
{
    static const Forms forms = MakeForms();
    return forms;
}

bool FormsLigature(char last, char next)
{
    return (last == '-' && next == '-') || (last == '`' && next == '`')
        || (last == '\'' && next == '\'') || ((last == '?' || last == '!') && next == '`');
}

class Encoder {
public:
    Encoder(std::string& out, LatexStyle style, LatexField field)
        : out_(out), style_(style), field_(field), forms_(TheForms())
    {
    }

    void Run(std::string_view text);

private:
    void Blanks(std::string_view run, bool between);
    size_t Word(std::string_view text, size_t at, bool first);

    void Put(std::string_view form)
    {
        if (form.empty())
            return;
        if (FormsLigature(last_, form.front()))
            out_ += "{}";
        out_.append(form.data(), form.size());
        last_ = form.back();
    }

    std::string_view FormAt(std::string_view word, size_t& i);
    size_t FastRun(std::string_view text, size_t at);

    std::string& out_;
    LatexStyle style_;
    LatexField field_;
    const Forms& forms_;
    char last_ = '\0';
    std::string escapeForm_;
};

void Encoder::Run(std::string_view text)
{
    bool first = true;
    size_t at = 0;
    while (at < text.size()) {
        // A title's words are looked at whole, for their capitals; a page range's dashes.
        if (field_ != LatexField::kTitle && field_ != LatexField::kPages) {
            at = FastRun(text, at);
            if (at == text.size())
                break;
        }
        if (!forms_.blank[static_cast<unsigned char>(text[at])]) {
            at = Word(text, at, first);
            first = false;
            continue;
        }
        size_t end = at;
        while (end < text.size() && forms_.blank[static_cast<unsigned char>(text[end])])
            ++end;
        if (end == at + 1 && text[at] == ' ' && at > 0 && end < text.size()) {
            // The blank between two words, by far the commonest run.
            out_ += ' ';
            last_ = ' ';
        } else {
            Blanks(text.substr(at, end - at), at > 0 && end < text.size());
        }
        at = end;
    }
}

// Whether the bytes at `p` whose high bits are in `marks` all go out as they stand.
bool AllPlain(const unsigned char* p, uint64_t marks, const unsigned char* kind)
{
    for (; marks != 0; marks &= marks - 1) {
        if (kind[p[__builtin_ctzll(marks) >> 3]] != kPlain)
            return false;
    }
    return true;
}

// Writes the text from `at` on that needs no look at its neighbours: bytes that go out as
// they stand or as a form of their own, with single blanks between words; returns where it
// ends. Most of a field is such text, and most of that goes eight bytes at a time.
size_t Encoder::FastRun(std::string_view text, size_t at)
{
    const unsigned char* kind = style_.commands ? forms_.kindCommands : forms_.kindLetters;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    size_t i = at;
    size_t start = at;
    auto flush = [&](size_t end) {
        if (end > start) {
            out_.append(text.data() + start, end - start);
            last_ = text[end - 1];
        }
    };
    while (i < size) {
#if defined(__SSE2__)
        // Blanks at the block's ends, with what stands beside them.
        while (i > at && i + kBlockSize < size && CommonBlock(p + i, !style_.commands, true)
               && !(p[i] == ' ' && !kind[p[i - 1]])
               && !(p[i + kBlockSize - 1] == ' ' && !kind[p[i + kBlockSize]]))
            i += kBlockSize;
#endif
        for (; i + 8 < size; i += 8) {
            uint64_t word;
            std::memcpy(&word, p + i, sizeof word);
            uint64_t blanks;
            uint64_t hyphens;
            const uint64_t common =
                CommonBytes(word, blanks, hyphens) | (style_.commands ? 0 : word & kHighBits);
            const unsigned char before = i > at ? p[i - 1] : static_cast<unsigned char>(last_);
            if ((common != kHighBits && !AllPlain(p + i, ~common & kHighBits, kind))
                || HyphenPairs(hyphens, before, p[i + 8]) != 0)
                break;
            // Single blanks, with something that stands beside them on either side.
            if ((blanks & (blanks << 8)) != 0 || ((blanks & 0x80) && (i == at || !kind[p[i - 1]]))
                || ((blanks >> 63) && !kind[p[i + 8]]))
                break;
        }
        // The block that stopped the loop, byte by byte.
        for (const size_t blockEnd = std::min(i + 8, size); i < blockEnd;) {
            const unsigned k = kind[p[i]];
            if (k == kPlain) {
                ++i;
            } else if (k == kForm) {
                flush(i);
                const std::string& form = forms_.latex[p[i]];
                out_ += form;
                last_ = form.back();
                start = ++i;
            } else if (p[i] == ' ' && i > at && kind[p[i - 1]] != kStop && i + 1 < size
                       && kind[p[i + 1]] != kStop) {
                ++i;
            } else if (AloneInLigatures(p, i, size, i > at ? static_cast<char>(p[i - 1]) : last_)) {
                ++i;
            } else {
                flush(i);
                return i;
            }
        }
    }
    flush(i);
    return i;
}

// The blanks between two words: the first a blank, the others "\\ ", which reading keeps; line
// breaks alone count as one blank. Blanks at either end are all "\\ ". In an abstract a run
// that holds a line break is a paragraph break, an empty line, with the blanks that follow
// its last line break.
void Encoder::Blanks(std::string_view run, bool between)
{
    size_t blanks = 0;
    if (field_ == LatexField::kAbstract && between && FindLineBreak(run, 0) < run.size()) {
        out_ += "\r\n\r\n";
        run.remove_prefix(run.find_last_of("\r\n") + 1);
        between = false;
    } else if (between && run.find_first_not_of("\r\n") == std::string_view::npos) {
        blanks = 1;
    }
    for (char c : run)
        blanks += c == ' ' || c == '\t' ? 1 : 0;
    if (between && blanks > 0) {
        out_ += ' ';
        --blanks;
    }
    for (; blanks > 0; --blanks)
        out_ += "\\ ";
    last_ = ' ';
}

// How the character at word[i] goes out, empty for as it stands; `i` ends on the last byte
// it takes.
std::string_view Encoder::FormAt(std::string_view word, size_t& i)
{
    const unsigned char c = static_cast<unsigned char>(word[i]);
    uint32_t character;
    size_t length;
    if (c == '{' && (length = ReadEscape(word.data() + i, word.data() + word.size(), character))) {
        // A character the code page lacks: its command, or the escape, which the file turns
        // into the character.
        escapeForm_ = style_.commands ? FormOf(character) : std::string();
        if (escapeForm_.empty())
            escapeForm_.assign(word.substr(i, length));
        i += length - 1;
        return escapeForm_;
    }
    if (c >= 0x80 && !style_.commands)
        return {};
    if (field_ == LatexField::kPages && c == '-')
        return "--";
    if (field_ == LatexField::kPages && (c == 0x96 || c == 0x97))
        return forms_.pageDashes[c - 0x96];
    return forms_.latex[c];
}

// The word that starts at `at`, to the next blank; returns its end. One pass finds the end,
// whether a capital in it needs protecting and whether all of it goes as it stands.
size_t Encoder::Word(std::string_view text, size_t at, bool first)
{
    const unsigned char* kind = style_.commands ? forms_.kindCommands : forms_.kindLetters;
    const bool title = field_ == LatexField::kTitle;
    bool protect = false;
    bool allPlain = field_ != LatexField::kPages;
    size_t end = at;
    for (; end < text.size(); ++end) {
        const unsigned char c = static_cast<unsigned char>(text[end]);
        if (forms_.blank[c])
            break;
        protect = protect || (title && forms_.upper[c] && (end > at || !first));
        allPlain = allPlain && kind[c] == kPlain;
    }
    const std::string_view word = text.substr(at, end - at);
    if (protect)
        Put("{");
    if (allPlain) {
        // Nothing in it needs a form: it goes as it stands.
        out_.append(word.data(), word.size());
        last_ = word.back();
        if (protect)
            Put("}");
        return end;
    }
    size_t done = 0;
    for (size_t i = 0; i < word.size(); ++i) {
        const size_t start = i;
        std::string_view form = FormAt(word, i);
        if (form.empty())
            continue;
        Put(word.substr(done, start - done));
        Put(form);
        done = i + 1;
    }
    Put(word.substr(done));
    if (protect)
        Put("}");
    return end;
}

}  // namespace

void EncodeLatex(std::string_view text, std::string& out, LatexStyle style, LatexField field)
{
    Encoder(out, style, field).Run(text);
}

void AppendAsciiLetters(std::string_view text, std::string& out)
{
    const Forms& forms = TheForms();
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t character;
        const size_t length = ReadEscape(text.data() + i, text.data() + text.size(), character);
        if (length > 0) {
            out += AsciiOf(character);
            i += length - 1;
        } else {
            out += forms.ascii[static_cast<unsigned char>(text[i])];
        }
    }
}
