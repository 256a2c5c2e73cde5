#include "filters/bibtex/bibtex_names.h"

#include <algorithm>

#include "filters/bibtex/latex_text.h"
#include "filters/common/code_page_1252.h"
#include "filters/common/text_edit.h"
#include "text_encoding.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The word "and" at `at`, with blanks on both sides.
bool AndAt(std::string_view text, size_t at)
{
    return at > 0 && IsBlank(text[at - 1]) && at + 3 < text.size() && Lower(text[at]) == 'a'
        && Lower(text[at + 1]) == 'n' && Lower(text[at + 2]) == 'd' && IsBlank(text[at + 3]);
}

// Splits `text` outside braces where `isSeparator(text, i)` holds, calling `each` with every
// part; `separatorLength` is what a separator takes.
template <typename IsSeparator, typename Each>
void SplitOutsideBraces(std::string_view text, size_t separatorLength, IsSeparator isSeparator,
                        Each each)
{
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            depth = depth > 0 ? depth - 1 : 0;
        } else if (depth == 0 && isSeparator(text, i)) {
            each(text.substr(start, i - start));
            start = i + separatorLength;
            i = start - 1;
        }
    }
    each(text.substr(start));
}

void AppendDecoded(std::string_view raw, std::string& out)
{
    DecodeLatex(raw, out, LatexField::kText);
}

// Pieces of a name kept without copies; more than N go with the last. The places are left
// uninitialised (only the first `count` are set), as every name of a file is split.
template <size_t N>
struct Pieces {
    struct Place {
        const char* begin;
        const char* end;
    };
    Place places[N];
    size_t count = 0;

    void Add(std::string_view piece)
    {
        const Place place = {piece.data(), piece.data() + piece.size()};
        if (count < N)
            places[count++] = place;
        else
            places[N - 1].end = place.end;
    }

    std::string_view Item(size_t i) const { return Span(i, i); }

    // The text from the first byte of item `from` to the last of item `to`.
    std::string_view Span(size_t from, size_t to) const
    {
        return std::string_view(places[from].begin,
                                static_cast<size_t>(places[to].end - places[from].begin));
    }
};

// A program name held together by braces: "{" first and "}" last, braces that go to the file
// around the name's text (in which any brace is a character). An escape at its start is a
// character, not a brace.
bool IsBracedName(std::string_view name)
{
    uint32_t character;
    return name.size() >= 2 && name.front() == '{' && name.back() == '}'
        && ReadEscape(name.data(), name.data() + name.size(), character) == 0;
}

// BibTeX text that is one group in braces: it starts with "{" and the brace that closes it
// ends it.
bool IsWholeGroup(std::string_view text)
{
    if (text.size() < 2 || text.front() != '{' || text.back() != '}')
        return false;
    int depth = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '{')
            ++depth;
        else if (text[i] == '}' && --depth == 0)
            return false;
    }
    return true;
}

// The commands that are letters of their own, whose name gives their case.
constexpr std::string_view kLetterCommands[] = {"aa", "AA", "ae", "AE", "o",  "O",  "oe",
                                                "OE", "ss", "l",  "L",  "i",  "j",  "dh",
                                                "DH", "th", "TH", "ng", "NG", "dj", "DJ"};

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// BibTeX's test for a "von" word: its first letter decides; a special character ("{\'E}",
// "{\v{c}}", "{\ss}") by the letter after its command, or the command's own when it is a
// letter; a word that starts with another group is not in lower case.
bool IsLowerWord(std::string_view word)
{
    size_t i = 0;
    if (word.size() > 1 && word[0] == '{') {
        if (word[1] != '\\')
            return false;
        i = 1;
    }
    if (i < word.size() && word[i] == '\\') {
        size_t end = i + 1;
        while (end < word.size() && IsAsciiLetter(word[end]))
            ++end;
        const std::string_view name = word.substr(i + 1, end - i - 1);
        for (std::string_view letter : kLetterCommands) {
            if (name == letter)
                return name[0] >= 'a';
        }
        i = end > i + 1 ? end : i + 2;
    }
    for (; i < word.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(word[i]);
        if (IsLetter1252(c))
            return IsLower1252(c);
    }
    return false;
}

// "First von Last": the family name is the last word with the lower-case words before it.
void AppendFirstLast(std::string_view raw, std::string& out)
{
    Pieces<32> words;
    SplitOutsideBraces(raw, 1, [](std::string_view text, size_t i) {
        return IsBlank(text[i]) || text[i] == '~';
    }, [&](std::string_view word) {
        if (!word.empty())
            words.Add(word);
    });
    if (words.count == 0)
        return;
    const size_t last = words.count - 1;
    if (last == 0) {
        const std::string_view word = words.Item(0);
        AppendDecoded(IsWholeGroup(word) ? word.substr(1, word.size() - 2) : word, out);
        return;
    }
    size_t family = last;
    for (size_t i = 0; i < last; ++i) {
        if (IsLowerWord(words.Item(i))) {
            family = i;
            break;
        }
    }
    AppendDecoded(words.Span(family, last), out);
    if (family > 0) {
        out += ", ";
        AppendDecoded(words.Span(0, family - 1), out);
    }
}

void AppendOneName(std::string_view raw, std::string& out)
{
    Pieces<8> parts;
    SplitOutsideBraces(raw, 1, [](std::string_view text, size_t i) { return text[i] == ','; },
                       [&](std::string_view part) { parts.Add(Trimmed(part)); });
    if (parts.count == 1) {
        AppendFirstLast(parts.Item(0), out);
        return;
    }
    AppendDecoded(parts.Item(0), out);
    for (size_t i = 1; i < parts.count; ++i) {
        const size_t before = out.size();
        out += ", ";
        AppendDecoded(parts.Item(i), out);
        if (out.size() == before + 2)
            out.resize(before);
    }
}

bool HoldsWordAnd(std::string_view name)
{
    for (size_t i = 0; i < name.size(); ++i) {
        if (AndAt(name, i))
            return true;
    }
    return false;
}

// A name reads back as the name it is unless it holds "and" as a word, or its parts are not
// the trimmed, non-empty texts between ", " that reading gives.
bool NeedsBraces(std::string_view name)
{
    if (HoldsWordAnd(name))
        return true;
    if (name.find(',') == std::string_view::npos)
        return false;
    if (IsBlank(name.front()) || IsBlank(name.back()) || name.back() == ',')
        return true;
    for (size_t c = name.find(','); c != std::string_view::npos; c = name.find(',', c + 1)) {
        if (c == 0 || IsBlank(name[c - 1]) || c + 2 >= name.size() || name[c + 1] != ' '
            || IsBlank(name[c + 2]) || name[c + 2] == ',')
            return true;
    }
    return false;
}

}  // namespace

void ReadNames(std::string_view raw, std::string& out)
{
    SplitOutsideBraces(raw, 4, AndAt, [&](std::string_view part) {
        const size_t before = out.size();
        if (before > 0)
            out += "\r\n";
        const size_t start = out.size();
        AppendOneName(Trimmed(part), out);
        const std::string_view name = std::string_view(out).substr(start);
        if (name.empty()) {
            out.resize(before);
            return;
        }
        // A name that would read back as other names or parts (an organisation's, a family
        // name of several words alone) is held together by braces.
        if (!IsBracedName(name) && (NeedsBraces(name) || (name.find(',') == std::string_view::npos
                                                         && name.find(' ') != std::string_view::npos))) {
            out.insert(start, 1, '{');
            out += '}';
        }
    });
}

void WriteNames(std::string_view names, std::string& out, LatexStyle style)
{
    bool first = true;
    size_t at = 0;
    while (at < names.size()) {
        const size_t end = FindLineBreak(names, at);
        std::string_view name = Trimmed(names.substr(at, end - at));
        at = end + 1;
        if (name.empty())
            continue;
        if (!first)
            out += " and ";
        first = false;
        const bool group = IsBracedName(name);
        if (group)
            name = name.substr(1, name.size() - 2);
        const bool braced = group || NeedsBraces(name);
        if (braced)
            out += '{';
        EncodeLatex(name, out, style, LatexField::kText);
        if (braced)
            out += '}';
    }
}
