#include "format/bib_format.h"

#include <cstring>

#include "store/name_summary.h"
#include "store/reference.h"

namespace {

constexpr char kClosing[] = "\r\n\r\n";
constexpr std::size_t kClosingLength = sizeof kClosing - 1;

// Copies at most kBibFormatTextSize - 1 characters and terminates.
void CopyPart(char* part, const char* from, std::size_t length)
{
    if (length > kBibFormatTextSize - 1) length = kBibFormatTextSize - 1;
    std::memcpy(part, from, length);
    part[length] = 0;
}

// The text of a bracketed part from just after its "[" to its unescaped "]" or the end, with
// escapes applied. Returns where the text goes on: after the "]", or at the end.
const char* DecodeBracketed(const char* at, char* part)
{
    std::size_t length = 0;
    auto put = [&](char c) {
        if (length < kBibFormatTextSize - 1) part[length++] = c;
    };
    while (*at != 0 && *at != ']') {
        const char c = *at++;
        if (c != '\\') {
            put(c);
            continue;
        }
        const char escaped = *at;
        if (escaped == 0) break;
        ++at;
        if (escaped == 'n') {
            put('\r');
            put('\n');
        } else {
            put(escaped == 't' ? '\t' : escaped);
        }
    }
    part[length] = 0;
    return *at == ']' ? at + 1 : at;
}

// The caller's buffer for one formatted reference. The last bytes are kept for the closing
// CR LF CR LF and the terminator, so whatever the body writes the closing still fits.
class Output {
public:
    Output(char* out, std::size_t size)
        : out_(out), room_(size > kClosingLength + 1 ? size - kClosingLength - 1 : 0)
    {
        if (size > 0) out_[0] = 0;
    }

    void Put(char c)
    {
        if (length_ < room_)
            out_[length_++] = c;
        else
            cut_ = true;
    }

    void Put(const char* text, std::size_t length)
    {
        if (length > room_ - length_) {
            length = room_ - length_;
            cut_ = true;
        }
        std::memcpy(out_ + length_, text, length);
        length_ += length;
    }

    // The free room, for writers that fill it directly; `Advance` then takes what they wrote.
    // Five bytes behind the room (the closing and the terminator) may be scribbled on too.
    char* Tail() const { return out_ + length_; }
    std::size_t Room() const { return room_ - length_; }
    void Advance(std::size_t length, bool cut)
    {
        length_ += length;
        cut_ = cut_ || cut;
    }

    // Appends the closing to a non-empty result and terminates it. A cut that split a CR LF
    // pair drops the lone CR.
    std::size_t Finish()
    {
        if (room_ == 0) return 0;
        if (cut_ && length_ > 0 && out_[length_ - 1] == '\r') --length_;
        if (length_ > 0) {
            std::memcpy(out_ + length_, kClosing, kClosingLength);
            length_ += kClosingLength;
        }
        out_[length_] = 0;
        return length_;
    }

private:
    char* out_;
    std::size_t room_;
    std::size_t length_ = 0;
    bool cut_ = false;
};

// A reference that borrows only the name lists of another, so that its summary line is the
// shaped names and the TAB after them, whatever the date holds.
class NamesOnly : public Reference {
public:
    explicit NamesOnly(const Reference& reference)
    {
        authors = reference.authors;
        editors = reference.editors;
    }
    ~NamesOnly() override { authors = editors = nullptr; }
};

const char* SourceOfType(const Reference& reference, int32_t sourceType)
{
    return reference.sourceType == sourceType ? reference.source : nullptr;
}

// The text behind a field letter; null when the field is absent or the letter names none.
const char* FieldOfLetter(const Reference& reference, char letter)
{
    switch (letter) {
    case 'A': return reference.authors;
    case 'B': return SourceOfType(reference, kSourceBook);
    case 'C': return reference.city;
    case 'D': return reference.date;
    case 'E': return reference.editors;
    case 'I': return reference.publisher;
    case 'J': return SourceOfType(reference, kSourceJournal);
    case 'K': return reference.keywords;
    case 'N': return reference.number;
    case 'P': return reference.pages;
    case 'R': return SourceOfType(reference, kSourceReport);
    case 'T': return reference.title;
    case 'V': return reference.volume;
    case 'X': return reference.abstract;
    default: return nullptr;
    }
}

// One walk through a body for one reference. Groups recurse only into written groups, and
// every group takes at least two characters of the body, so the depth stays below half the
// body's length.
class Formatter {
public:
    Formatter(const char* body, std::size_t length, const Reference& reference, Output& output)
        : at_(body), end_(body + length), reference_(reference), out_(output)
    {
    }

    void Walk()
    {
        while (at_ < end_) {
            const char c = *at_++;
            if (c == '\\')
                Escape();
            else if (c != '<')
                out_.Put(c);
            else if (!Group())
                return;
        }
    }

private:
    struct Field {
        char letter;
        unsigned namesMode;
    };

    void Escape()
    {
        if (at_ == end_) return;
        const char c = *at_++;
        if (c == 'n')
            out_.Put("\r\n", 2);
        else
            out_.Put(c == 't' ? '\t' : c);
    }

    // From just after "<"; false when the body ends before the group's ">".
    bool Group()
    {
        const bool negated = at_ < end_ && *at_ == '!';
        if (negated) ++at_;
        if (at_ == end_) return false;
        Field field{*at_++, kSummaryAll};
        if ((field.letter == 'A' || field.letter == 'E') && at_ < end_ && *at_ >= '1' &&
            *at_ <= '3') {
            if (field.letter == 'A') field.namesMode = static_cast<unsigned>(*at_ - '0');
            ++at_;
        }
        const bool present = FieldOfLetter(reference_, field.letter) != nullptr;
        if (present == negated) return Skip();
        return Write(field, negated);
    }

    // Passes over a group to its matching ">"; false when the body ends first.
    bool Skip()
    {
        int depth = 1;
        while (at_ < end_) {
            const char c = *at_++;
            if (c == '\\') {
                if (at_ < end_) ++at_;
            } else if (c == '<') {
                ++depth;
            } else if (c == '>' && --depth == 0) {
                return true;
            }
        }
        return false;
    }

    bool Write(const Field& field, bool negated)
    {
        while (at_ < end_) {
            const char c = *at_++;
            if (c == '>') return true;
            if (c == '<') {
                if (!Group()) return false;
            } else if (c == '@') {
                if (negated)
                    out_.Put("\\@", 2);
                else
                    WriteField(field);
            } else if (c == '\\') {
                Escape();
            } else {
                out_.Put(c);
            }
        }
        return false;
    }

    void WriteField(const Field& field)
    {
        switch (field.letter) {
        case 'A': WriteNames(field.namesMode); break;
        case 'E': WriteNames(kSummaryAll | kSummaryUseEditors); break;
        case 'K': WriteKeywords(); break;
        default: {
            const char* text = FieldOfLetter(reference_, field.letter);
            out_.Put(text, std::strlen(text));
            break;
        }
        }
    }

    // The names part of the summary line, written straight into the free room. The summary
    // may take one byte more than the room (the closing is kept free behind it), so the TAB
    // that ends the names tells whether they fitted.
    void WriteNames(uint32_t flags)
    {
        const std::size_t room = out_.Room();
        if (room == 0) {
            out_.Advance(0, true);
            return;
        }
        const NamesOnly names(reference_);
        char* tail = out_.Tail();
        formatNameSummary(names, flags, tail, room + 2);
        std::size_t length = std::strlen(tail);
        const bool complete = length > 0 && tail[length - 1] == '\t';
        if (complete) --length;
        if (length > room) length = room;
        out_.Advance(length, !complete);
    }

    void WriteKeywords()
    {
        const char* text = reference_.keywords;
        while (*text != 0) {
            if (text[0] == '\r' && text[1] == '\n') {
                out_.Put("; ", 2);
                text += 2;
            } else {
                out_.Put(*text++);
            }
        }
    }

    const char* at_;
    const char* end_;
    const Reference& reference_;
    Output& out_;
};

BibFormat& Current()
{
    static BibFormat current = [] {
        BibFormat basic;
        MakeBasicBibFormat(basic);
        return basic;
    }();
    return current;
}

}  // namespace

void ParseBibFormatInto(const char* text, BibFormat& format)
{
    format.header[0] = 0;
    format.footer[0] = 0;
    if (text == nullptr) text = "";
    if (*text == '[') {
        text = DecodeBracketed(text + 1, format.header);
        if (*text == '[') text = DecodeBracketed(text + 1, format.footer);
    }
    CopyPart(format.body, text, std::strlen(text));
}

void MakeBasicBibFormat(BibFormat& format)
{
    CopyPart(format.name, kBasicBibFormatName, sizeof kBasicBibFormatName - 1);
    ParseBibFormatInto(kBasicBibFormatBody, format);
}

std::size_t FormatReferenceWith(const BibFormat& format, const Reference& reference, char* out,
                                std::size_t outSize)
{
    if (out == nullptr || outSize == 0) return 0;
    Output output(out, outSize);
    // A body filled by hand may lack its terminator; it then ends with its array.
    const void* terminator = std::memchr(format.body, 0, sizeof format.body);
    const std::size_t bodyLength =
        terminator != nullptr ? static_cast<const char*>(terminator) - format.body
                              : sizeof format.body;
    Formatter(format.body, bodyLength, reference, output).Walk();
    return output.Finish();
}

const BibFormat& CurrentBibFormat() { return Current(); }

void parseBibFormat(const char* text) { ParseBibFormatInto(text, Current()); }

void SetCurrentBibFormat(const char* name, const char* text)
{
    if (name == nullptr) name = "";
    CopyPart(Current().name, name, std::strlen(name));
    parseBibFormat(text);
}

void UseBasicBibFormat() { MakeBasicBibFormat(Current()); }

std::size_t formatReference(const Reference& reference, char* out, std::size_t outSize)
{
    return FormatReferenceWith(Current(), reference, out, outSize);
}
