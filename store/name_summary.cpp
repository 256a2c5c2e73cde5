#include "store/name_summary.h"

#include <cstring>

#include "store/text/dates.h"
#include "store/reference.h"

namespace {

char g_andWord[kAndWordMaxLength + 1] = "and ";

// Appends to a caller's buffer, cutting what does not fit and keeping it terminated.
class LineWriter {
public:
    LineWriter(char* out, std::size_t size) : out_(out), size_(size)
    {
        if (size_ > 0) out_[0] = 0;
    }

    void Append(const char* text, std::size_t length)
    {
        if (size_ == 0) return;
        const std::size_t room = size_ - 1 - length_;
        if (length > room) length = room;
        std::memcpy(out_ + length_, text, length);
        length_ += length;
        out_[length_] = 0;
    }

    void Append(const char* text) { Append(text, std::strlen(text)); }

private:
    char* out_;
    std::size_t size_;
    std::size_t length_ = 0;
};

// One line of a name list: [begin, end) without its line break.
struct Line {
    const char* begin;
    const char* end;
};

// The line starting at `at` and where the next one starts (null after the last line).
Line NextLine(const char* at, const char** next)
{
    const char* lineFeed = std::strchr(at, '\n');
    if (lineFeed == nullptr) {
        *next = nullptr;
        return Line{at, at + std::strlen(at)};
    }
    *next = lineFeed + 1;
    const char* end = lineFeed > at && lineFeed[-1] == '\r' ? lineFeed - 1 : lineFeed;
    return Line{at, end};
}

void AppendLine(LineWriter& writer, const Line& line)
{
    writer.Append(line.begin, static_cast<std::size_t>(line.end - line.begin));
}

int CountLineBreaks(const char* list)
{
    int count = 0;
    for (const char* at = std::strchr(list, '\n'); at != nullptr; at = std::strchr(at + 1, '\n'))
        ++count;
    return count;
}

bool EndsWithLineBreak(const char* list)
{
    const std::size_t length = std::strlen(list);
    return length > 0 && list[length - 1] == '\n';
}

// Every line break becomes ", "; the last name gets the "and" word before it unless the list
// ends with a line break, which is dropped.
void WriteAllNames(LineWriter& writer, const char* list)
{
    const bool closingBreak = EndsWithLineBreak(list);
    const int names = CountLineBreaks(list) + (closingBreak ? 0 : 1);
    const char* at = list;
    for (int i = 0; i < names && at != nullptr; ++i) {
        if (i > 0) writer.Append(", ");
        if (i > 0 && i == names - 1 && !closingBreak) writer.Append(g_andWord);
        AppendLine(writer, NextLine(at, &at));
    }
}

void WriteFirstName(LineWriter& writer, const char* list)
{
    const char* next;
    AppendLine(writer, NextLine(list, &next));
}

// Two names stay two; a third line break anywhere makes it the first name " et al". A single
// name with a closing line break keeps its ", ".
void WriteTwoOrOneEtAl(LineWriter& writer, const char* list)
{
    const int breaks = CountLineBreaks(list);
    if (breaks == 0) {
        writer.Append(list);
        return;
    }
    const char* next;
    AppendLine(writer, NextLine(list, &next));
    if (breaks >= 2) {
        writer.Append(" et al");
        return;
    }
    writer.Append(", ");
    AppendLine(writer, NextLine(next, &next));
}

void WriteNames(LineWriter& writer, const char* list, uint32_t mode)
{
    switch (mode) {
    case kSummaryAll: WriteAllNames(writer, list); break;
    case kSummaryFirstOnly: WriteFirstName(writer, list); break;
    case kSummaryTwoOrOneEtAl: WriteTwoOrOneEtAl(writer, list); break;
    default: writer.Append(list); break;
    }
}

void WriteDate(LineWriter& writer, const char* date, bool yearOnly)
{
    char year[kDateTokenSize] = "";
    if (yearOnly && std::strpbrk(date, " /") != nullptr) yearDigitsOfDate(date, year);
    writer.Append("(");
    writer.Append(year[0] != 0 ? year : date);
    writer.Append(")");
}

}  // namespace

void SetAndWord(const char* word)
{
    if (word == nullptr) word = "";
    std::size_t length = std::strlen(word);
    if (length > kAndWordMaxLength) length = kAndWordMaxLength;
    std::memcpy(g_andWord, word, length);
    g_andWord[length] = 0;
}

void formatNameSummary(const Reference& reference, uint32_t flags, char* out,
                       std::size_t outSize)
{
    LineWriter writer(out, outSize);
    const char* names = (flags & kSummaryUseEditors) != 0 ? reference.editors
                        : reference.authors != nullptr    ? reference.authors
                                                          : reference.editors;
    if (names != nullptr) WriteNames(writer, names, flags & kSummaryNamesMask);
    writer.Append("\t");
    if (reference.date != nullptr)
        WriteDate(writer, reference.date, (flags & kSummaryYearOnly) != 0);
    if ((flags & kSummaryWithTitle) != 0) {
        const char* title = reference.title != nullptr ? reference.title : reference.source;
        if (title != nullptr) {
            writer.Append("  ");
            writer.Append(title);
        }
    }
}
