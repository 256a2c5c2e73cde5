#include "filters/common/tagged_record.h"

#include "filters/common/line_text.h"
#include "filters/common/text_edit.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsContinuation(std::string_view line)
{
    return line.size() >= 2 && line[0] == ' ' && line[1] == ' ';
}

bool SkippedBeforeRecord(std::string_view line)
{
    if (line.empty())
        return true;
    if (line[0] != '0')
        return false;
    for (char c : line) {
        if (!IsDigit(c))
            return false;
        if (c != '0')
            return true;
    }
    return false;
}

const TagRule* FindTagRule(std::string_view line, const TagRule* rules, size_t count)
{
    if (line.size() < 2)
        return nullptr;
    const bool longerTag = line.size() > 2 && line[2] >= 'A' && line[2] <= 'Z';
    for (size_t i = 0; i < count; ++i) {
        const TagRule& rule = rules[i];
        if (line[0] == rule.tag[0] && line[1] == rule.tag[1])
            return longerTag && rule.textStart == kTagTextStart ? nullptr : &rule;
    }
    return nullptr;
}

std::string_view JoinText(JoinBy join)
{
    switch (join) {
    case JoinBy::kLineBreak: return kLineBreak;
    case JoinBy::kSemicolon: return ";";
    case JoinBy::kComma: return ",";
    case JoinBy::kSpace: break;
    }
    return kJoinMarkText;
}

int ReadTaggedRecord(LineFile* file, FilterBuffers& buffers, const TagRule* rules, size_t count,
                     RecordFields& fields)
{
    ClearFields(fields);
    std::string_view line;
    bool more;
    while ((more = ReadWholeLine(file, buffers, line)) && SkippedBeforeRecord(line)) {
    }
    if (!more)
        return kRecordNone;
    const TagRule* current = nullptr;
    do {
        if (IsContinuation(line)) {
            if (current != nullptr)
                AppendField(fields[current->field], JoinText(current->continueBy),
                            TextFrom(line, kTagTextStart, kTagSeparators));
            continue;
        }
        current = FindTagRule(line, rules, count);
        if (current != nullptr)
            AppendField(fields[current->field], JoinText(current->join),
                        TextFrom(line, current->textStart, kTagSeparators));
    } while ((more = ReadWholeLine(file, buffers, line)) && !line.empty());
    return more ? kRecordDelivered : kRecordDeliveredLast;
}

void ResolveJoinMarks(RecordFields& fields)
{
    for (FieldText& field : fields.texts)
        ReplaceByte(field.text, kJoinMark, ' ');
}

void TakePagesAndIssue(std::string& copy, FieldText& pages, FieldText& number)
{
    size_t colon = copy.rfind(':');
    if (colon != std::string::npos) {
        SetFieldIfEmpty(pages, std::string_view(copy).substr(colon + 1));
        copy.erase(colon);
    }
    size_t open = copy.rfind('(');
    if (open != std::string::npos) {
        std::string_view inside = std::string_view(copy).substr(open + 1);
        SetFieldIfEmpty(number, inside.substr(0, inside.find(')')));
        copy.erase(open);
    }
}
