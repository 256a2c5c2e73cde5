#include "filters/bibtex/bibtex_names.h"

#include <algorithm>
#include <vector>

#include "filters/bibtex/latex_text.h"
#include "filters/common/code_page_1252.h"
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

std::string Decoded(std::string_view raw)
{
    std::string text;
    DecodeLatex(raw, text, LatexField::kText);
    return text;
}

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

// BibTeX's test for a "von" word: the first letter decides, a special character "{\...}" by
// its letter; a word that starts with another group is not in lower case.
bool IsLowerWord(std::string_view word)
{
    if (word.size() > 1 && word[0] == '{' && word[1] != '\\')
        return false;
    for (char c : Decoded(word)) {
        if (IsLetter1252(static_cast<unsigned char>(c)))
            return IsLower1252(static_cast<unsigned char>(c));
    }
    return false;
}

// "First von Last": the family name is the last word with the lower-case words before it.
std::string FirstLast(std::string_view raw)
{
    std::vector<std::string_view> words;
    SplitOutsideBraces(raw, 1, [](std::string_view text, size_t i) {
        return IsBlank(text[i]) || text[i] == '~';
    }, [&](std::string_view word) {
        if (!word.empty())
            words.push_back(word);
    });
    if (words.empty())
        return {};
    const std::string_view& last = words.back();
    if (words.size() == 1) {
        return Decoded(IsWholeGroup(last) ? last.substr(1, last.size() - 2) : last);
    }
    size_t family = words.size() - 1;
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (IsLowerWord(words[i])) {
            family = i;
            break;
        }
    }
    auto span = [&](size_t from, size_t to) {
        const char* begin = words[from].data();
        return std::string_view(begin, words[to].data() + words[to].size() - begin);
    };
    std::string name = Decoded(span(family, words.size() - 1));
    if (family > 0)
        name.append(", ").append(Decoded(span(0, family - 1)));
    return name;
}

std::string OneName(std::string_view raw)
{
    std::vector<std::string_view> parts;
    SplitOutsideBraces(raw, 1, [](std::string_view text, size_t i) { return text[i] == ','; },
                       [&](std::string_view part) { parts.push_back(Trimmed(part)); });
    if (parts.size() == 1)
        return FirstLast(parts[0]);
    std::string name = Decoded(parts[0]);
    for (size_t i = 1; i < parts.size(); ++i) {
        std::string part = Decoded(parts[i]);
        if (!part.empty())
            name.append(", ").append(part);
    }
    return name;
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
    std::string joined;
    for (size_t at = 0; at <= name.size();) {
        size_t comma = std::min(name.find(',', at), name.size());
        std::string_view part = Trimmed(name.substr(at, comma - at));
        if (part.empty())
            return true;
        joined.append(joined.empty() ? "" : ", ").append(part);
        at = comma + 1;
    }
    return joined != name;
}

}  // namespace

void ReadNames(std::string_view raw, std::string& out)
{
    SplitOutsideBraces(raw, 4, AndAt, [&](std::string_view part) {
        std::string name = OneName(Trimmed(part));
        if (name.empty())
            return;
        // A name that would read back as other names or parts (an organisation's, a family
        // name of several words alone) is held together by braces.
        if (!IsBracedName(name) && (NeedsBraces(name) || (name.find(',') == std::string::npos
                                                         && name.find(' ') != std::string::npos)))
            name = "{" + name + "}";
        if (!out.empty())
            out += "\r\n";
        out += name;
    });
}

void WriteNames(std::string_view names, std::string& out, LatexStyle style)
{
    bool first = true;
    size_t at = 0;
    while (at < names.size()) {
        size_t end = names.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = names.size();
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
