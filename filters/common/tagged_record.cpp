#include "filters/common/tagged_record.h"

#include "filters/common/line_text.h"
#include "filters/common/text_edit.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsContinuation(std::string_view line)
{
    return line.size() >= 2 && line[0] == ' ' && line[1] == ' ';
}

}  // namespace

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
    for (size_t i = 0; i < count; ++i) {
        if (line[0] == rules[i].tag[0] && line[1] == rules[i].tag[1])
            return &rules[i];
    }
    return nullptr;
}

void AppendByRule(RecordFields& fields, const TagRule& rule, std::string_view text)
{
    AppendField(fields[rule.field], rule.join == JoinBy::kLineBreak ? kLineBreak : kJoinMarkText,
                text);
}

int ReadTaggedRecord(LineFile* file, char* line, const TagRule* rules, size_t count,
                     RecordFields& fields)
{
    ClearFields(fields);
    bool more;
    while ((more = ReadNextLine(file, line)) && SkippedBeforeRecord(line)) {
    }
    if (!more)
        return kRecordNone;
    const TagRule* current = nullptr;
    do {
        std::string_view text = line;
        size_t start = kTagTextStart;
        if (!IsContinuation(text)) {
            current = FindTagRule(text, rules, count);
            start = current != nullptr ? current->textStart : 0;
        }
        if (current != nullptr)
            AppendByRule(fields, *current, TextFrom(text, start, kTagSeparators));
    } while ((more = ReadNextLine(file, line)) && line[0] != '\0');
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
