// The entries of a .bib file: found in the text between them, collected over as many lines as
// they take, and parsed into their type, key and fields. BibTeX counts every brace, escaped
// or not, so braces decide where a value and an entry end.
#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "filters/bibtex/bibtex_filter.h"
#include "byte_scan.h"
#include "filters/common/line_text.h"
#include "io/filter_record.h"

namespace {

constexpr std::string_view kMonthMacros[][2] = {
    {"jan", "January"}, {"feb", "February"}, {"mar", "March"},     {"apr", "April"},
    {"may", "May"},     {"jun", "June"},     {"jul", "July"},      {"aug", "August"},
    {"sep", "September"}, {"oct", "October"}, {"nov", "November"}, {"dec", "December"},
};

enum : unsigned char { kOther, kBlank, kNameChar };

// Blanks, and the characters of entry types, field names, macro names and numbers: looked up,
// as every byte of an entry's structure is.
constexpr std::array<unsigned char, 256> MakeCharClasses()
{
    std::array<unsigned char, 256> classes{};
    for (unsigned char c : std::string_view(" \t\r\n"))
        classes[c] = kBlank;
    for (unsigned c = 0; c < 256; ++c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            classes[c] = kNameChar;
    }
    for (unsigned char c : std::string_view("_-:.+/"))
        classes[c] = kNameChar;
    return classes;
}

constexpr std::array<unsigned char, 256> kCharClasses = MakeCharClasses();

bool IsBlank(char c)
{
    return kCharClasses[static_cast<unsigned char>(c)] == kBlank;
}

bool IsNameChar(char c)
{
    return kCharClasses[static_cast<unsigned char>(c)] == kNameChar;
}

// Names are lowered in place once copied, rather than appended a byte at a time.
void AssignLower(std::string& out, std::string_view text)
{
    out.assign(text.data(), text.size());
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
}

// A name as written when it holds no capital, as names mostly do; else lowered into `lowered`.
std::string_view LowerName(std::string_view name, std::string& lowered)
{
    for (char c : name) {
        if (c >= 'A' && c <= 'Z') {
            AssignLower(lowered, name);
            return lowered;
        }
    }
    return name;
}

size_t SkipBlanks(std::string_view text, size_t at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

// An entry that starts at the '@' at `at`: its type and the character that closes it.
bool EntryStartsAt(std::string_view text, size_t at, std::string& type, char& close,
                   size_t& bodyStart)
{
    size_t start = SkipBlanks(text, at + 1);
    size_t end = start;
    while (end < text.size() && IsNameChar(text[end]))
        ++end;
    size_t open = SkipBlanks(text, end);
    if (end == start || open >= text.size() || (text[open] != '{' && text[open] != '('))
        return false;
    AssignLower(type, text.substr(start, end - start));
    close = text[open] == '{' ? '}' : ')';
    bodyStart = open + 1;
    return true;
}

bool LineStartsEntry(std::string_view line)
{
    size_t at = SkipBlanks(line, 0);
    std::string type;
    char close;
    size_t bodyStart;
    return at < line.size() && line[at] == '@' && EntryStartsAt(line, at, type, close, bodyStart);
}

constexpr std::array<bool, 256> MakeBodyMarks()
{
    std::array<bool, 256> marks{};
    for (unsigned char c : std::string_view("{}\")"))
        marks[c] = true;
    return marks;
}

constexpr std::array<bool, 256> kBodyMarks = MakeBodyMarks();

// The state of an entry being collected.
struct Collecting {
    char close = '}';
    int depth = 0;
    bool inQuote = false;
    size_t groupOpen = 0;  // in the body, the group open at the entry's own level
};

// The end of a text in braces whose depth is `depth` at `at`: one past the brace that closes
// it, or npos, with `depth` the depth at the end of the text. Both braces are found in one
// search, since every byte of a file passes here twice.
size_t GroupClose(std::string_view text, size_t at, int& depth)
{
    const char* const end = text.data() + text.size();
    for (const char* p = text.data() + std::min(at, text.size());; ++p) {
        p = FindEitherByte(p, end, '{', '}');
        if (p == end)
            return std::string_view::npos;
        if (*p == '{')
            ++depth;
        else if (--depth == 0)
            return static_cast<size_t>(p - text.data()) + 1;
    }
}

// Appends the text from `at` up to the end of an entry in braces to `body`; true when the end
// was found, with `at` behind it. The groups in braces at the entry's own level go to `groups`
// by their place in `body`, so that parsing the body finds their ends without a second search.
bool CollectBracedBody(std::string_view text, size_t& at, Collecting& state, std::string& body,
                       std::vector<BibGroup>& groups)
{
    const char* const begin = text.data() + at;
    const char* const end = text.data() + text.size();
    const size_t base = body.size();
    for (const char* p = begin;; ++p) {
        p = FindEitherByte(p, end, '{', '}');
        if (p == end)
            break;
        const size_t where = base + static_cast<size_t>(p - begin);
        if (*p == '{') {
            if (state.depth++ == 0)
                state.groupOpen = where;
        } else if (state.depth == 0) {
            body.append(begin, static_cast<size_t>(p - begin));
            at = static_cast<size_t>(p - text.data()) + 1;
            return true;
        } else if (--state.depth == 0) {
            groups.push_back({state.groupOpen, where});
        }
    }
    body.append(begin, static_cast<size_t>(end - begin));
    at = text.size();
    return false;
}

// Appends the text from `at` up to the entry's end to `body`, as CollectBracedBody; an entry in
// parentheses also ends at a parenthesis outside quotes, and its groups are not noted (the
// parser searches for their ends).
bool CollectBody(std::string_view text, size_t& at, Collecting& state, std::string& body,
                 std::vector<BibGroup>& groups)
{
    if (state.close == '}')
        return CollectBracedBody(text, at, state, body, groups);
    size_t from = at;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (!kBodyMarks[static_cast<unsigned char>(c)])
            continue;
        if (c == '{') {
            ++state.depth;
        } else if (c == '}') {
            if (state.depth > 0)
                --state.depth;
        } else if (state.depth == 0) {
            if (c == '"')
                state.inQuote = !state.inQuote;
            else if (!state.inQuote)
                break;
        }
    }
    body.append(text.data() + from, at - from);
    if (at == text.size())
        return false;
    ++at;
    return true;
}

// The parts of an entry's body: "key, name = value, ..." (or "name = value" of @string).
class BodyParser {
public:
    BodyParser(std::string_view body, const std::vector<BibGroup>& groups,
               const std::unordered_map<std::string, std::string>& macros)
        : body_(body), groups_(groups), macros_(macros)
    {
    }

    // The key, when the body starts with one (text before the first comma that holds no "=").
    void Key(std::string& key)
    {
        key.clear();
        size_t comma = body_.find(',');
        std::string_view head = body_.substr(0, comma);
        if (head.find('=') != std::string_view::npos)
            return;
        at_ = comma == std::string_view::npos ? body_.size() : comma + 1;
        size_t start = SkipBlanks(head, 0);
        size_t end = head.size();
        while (end > start && IsBlank(head[end - 1]))
            --end;
        key.assign(head.data() + start, end - start);
    }

    // The next "name = value" into `field`; false at the end of the body. A part without "="
    // is skipped.
    bool Field(BibField& field)
    {
        for (;;) {
            while (at_ < body_.size() && (IsBlank(body_[at_]) || body_[at_] == ','))
                ++at_;
            if (at_ >= body_.size())
                return false;
            size_t start = at_;
            while (at_ < body_.size() && IsNameChar(body_[at_]))
                ++at_;
            size_t end = at_;
            at_ = SkipBlanks(body_, at_);
            if (end > start && at_ < body_.size() && body_[at_] == '=') {
                field.name = LowerName(body_.substr(start, end - start), field.lowered);
                ++at_;
                Value(field.value, field.joined);
                return true;
            }
            SkipPart();
        }
    }

private:
    // Pieces joined by "#": a single piece is not copied.
    void Value(std::string_view& value, std::string& joined)
    {
        value = {};
        size_t pieces = 0;
        auto add = [&](std::string_view piece) {
            if (pieces++ == 0) {
                value = piece;
                return;
            }
            if (pieces == 2)
                joined.assign(value.data(), value.size());
            joined.append(piece.data(), piece.size());
            value = joined;
        };
        for (;;) {
            at_ = SkipBlanks(body_, at_);
            if (at_ >= body_.size())
                return;
            const char c = body_[at_];
            if (c == '{' || c == '"') {
                size_t end = PieceEnd(at_);
                size_t innerEnd = end > at_ + 1 && end <= body_.size() && body_[end - 1] == (c == '{' ? '}' : '"')
                                      ? end - 1
                                      : end;
                add(body_.substr(at_ + 1, innerEnd - at_ - 1));
                at_ = end;
            } else if (IsNameChar(c)) {
                size_t start = at_;
                while (at_ < body_.size() && IsNameChar(body_[at_]))
                    ++at_;
                add(Macro(body_.substr(start, at_ - start)));
            } else {
                return;
            }
            at_ = SkipBlanks(body_, at_);
            if (at_ >= body_.size() || body_[at_] != '#')
                return;
            ++at_;
        }
    }

    // One past the end of the text in braces or quotes that starts at `open` (the end of the
    // body when it is not closed).
    size_t PieceEnd(size_t open)
    {
        return body_[open] == '"' ? QuotedEnd(open) : GroupEnd(open);
    }

    size_t GroupEnd(size_t open)
    {
        // Pieces come in the order of the body, and so do the groups it was collected with.
        while (nextGroup_ < groups_.size() && groups_[nextGroup_].open < open)
            ++nextGroup_;
        if (nextGroup_ < groups_.size() && groups_[nextGroup_].open == open)
            return groups_[nextGroup_].close + 1;
        int depth = 1;
        const size_t end = GroupClose(body_, open + 1, depth);
        return end == std::string_view::npos ? body_.size() : end;
    }

    // Inside quotes, a quote in braces does not end the text.
    size_t QuotedEnd(size_t open) const
    {
        int depth = 0;
        for (size_t i = open + 1; i < body_.size(); ++i) {
            const char c = body_[i];
            if (c == '{')
                ++depth;
            else if (c == '}')
                depth = depth > 0 ? depth - 1 : 0;
            else if (c == '"' && depth == 0)
                return i + 1;
        }
        return body_.size();
    }

    // A number stands for itself; a macro for its text, an undefined one for its name.
    std::string_view Macro(std::string_view name)
    {
        AssignLower(lower_, name);
        auto found = macros_.find(lower_);
        return found != macros_.end() ? std::string_view(found->second) : name;
    }

    // Skips a part that is not "name = value", up to the next comma outside braces.
    void SkipPart()
    {
        int depth = 0;
        for (; at_ < body_.size(); ++at_) {
            const char c = body_[at_];
            if (c == '{')
                ++depth;
            else if (c == '}' && depth > 0)
                --depth;
            else if (c == ',' && depth == 0)
                return;
        }
    }

    std::string_view body_;
    const std::vector<BibGroup>& groups_;
    size_t nextGroup_ = 0;
    const std::unordered_map<std::string, std::string>& macros_;
    size_t at_ = 0;
    std::string lower_;
};

void DefineMacros(BibtexFilter& filter, std::string_view body)
{
    BodyParser parser(body, filter.groups, filter.macros);
    BibField field;
    while (parser.Field(field))
        filter.macros[std::string(field.name)] = std::string(field.value);
}

void ParseEntry(BibtexFilter& filter, std::string_view body)
{
    BibEntry& entry = filter.entry;
    BodyParser parser(body, filter.groups, filter.macros);
    parser.Key(entry.key);
    entry.count = 0;
    for (;;) {
        if (entry.count == entry.fields.size())
            entry.fields.emplace_back();
        BibField& field = entry.fields[entry.count];
        if (!parser.Field(field))
            break;
        ++entry.count;
    }
}

class EntryReader {
public:
    EntryReader(BibtexFilter& filter, LineFile* file) : filter_(filter), file_(file) {}

    int Read();

private:
    bool NextText();
    void Carry(size_t at);
    int Collect(size_t at, Collecting state);

    BibtexFilter& filter_;
    LineFile* file_;
    std::string_view text_;
    std::string type_;
};

bool EntryReader::NextText()
{
    if (filter_.hasCarry) {
        filter_.hasCarry = false;
        if (SameMark(filter_.carryAt, MarkOf(file_))) {
            text_ = filter_.carry;
            return true;
        }
    }
    return ReadWholeLine(file_, filter_.buffers, text_);
}

// What is left of the line from `at` waits for the next LoadRef.
void EntryReader::Carry(size_t at)
{
    at = SkipBlanks(text_, at);
    if (at >= text_.size())
        return;
    std::string rest(text_.substr(at));
    filter_.carry.swap(rest);
    filter_.hasCarry = true;
    filter_.carryAt = MarkOf(file_);
}

// Collects the body of the entry whose text starts at `at` of the current line.
int EntryReader::Collect(size_t at, Collecting state)
{
    std::string& body = filter_.body;
    body.clear();
    filter_.groups.clear();
    if (CollectBody(text_, at, state, body, filter_.groups)) {
        Carry(at);
        return kRecordDelivered;
    }
    while (NextText()) {
        // An entry left open by a fault of the file ends where the next one starts.
        if (LineStartsEntry(text_)) {
            Carry(0);
            return kRecordDelivered;
        }
        body += '\n';
        at = 0;
        if (CollectBody(text_, at, state, body, filter_.groups)) {
            Carry(at);
            return kRecordDelivered;
        }
    }
    return kRecordDeliveredLast;
}

int EntryReader::Read()
{
    while (NextText()) {
        size_t at = 0;
        for (;;) {
            at = text_.find('@', at);
            if (at == std::string_view::npos)
                break;
            Collecting state;
            size_t bodyStart;
            if (!EntryStartsAt(text_, at, type_, state.close, bodyStart)) {
                ++at;
                continue;
            }
            int status = Collect(bodyStart, state);
            if (type_ == "comment" || type_ == "preamble" || type_ == "string") {
                if (type_ == "string")
                    DefineMacros(filter_, filter_.body);
                if (status == kRecordDeliveredLast)
                    return kRecordNone;
                break;
            }
            filter_.entry.type.swap(type_);
            ParseEntry(filter_, filter_.body);
            return status;
        }
    }
    return kRecordNone;
}

}  // namespace

void StartBibFile(BibtexFilter& filter)
{
    filter.hasCarry = false;
    filter.macros.clear();
    for (const auto& month : kMonthMacros)
        filter.macros.emplace(std::string(month[0]), std::string(month[1]));
}

int ReadEntry(BibtexFilter& filter, LineFile* file)
{
    if (file != nullptr && AtFileStart(file))
        StartBibFile(filter);
    return EntryReader(filter, file).Read();
}
