// LoadRef of the refer format: a reference is a run of lines that are not blank; "%X text"
// lines are fields by the tag letter X, and everything else that fits no field goes to the
// abstract, whole, so that nothing of the file is lost.
#include <string_view>

#include "filters/common/filter_state.h"
#include "filters/common/line_text.h"
#include "filters/common/text_edit.h"
#include "filters/refer/oem_text.h"
#include "filters/refer/refer_filter.h"
#include "filters/refer/refer_tags.h"
#include "io/filter_exports.h"

namespace {

constexpr std::string_view kParagraphBreak = "\r\n\r\n";
constexpr std::string_view kKeywordJoin = ", ";
// A tag line is "%", the letter, one character that is skipped, then the text.
constexpr size_t kTagLineTextStart = 3;

// A line kept as it stands: a paragraph of the abstract of its own.
void KeepWhole(RecordFields& fields, std::string_view line)
{
    AppendLine(fields[kRecordAbstract], kParagraphBreak, line);
}

void TakeTaggedText(RecordFields& fields, const ReferTag& tag, std::string_view line)
{
    const std::string_view text = line.substr(kTagLineTextStart);
    FieldText& field = fields[tag.field];
    switch (tag.rule) {
    case ReferRule::kFirstKept:
    case ReferRule::kSource:
        if (!field.text.empty()) {
            KeepWhole(fields, line);
            return;
        }
        SetField(field, text);
        if (tag.rule == ReferRule::kSource)
            fields.sourceType = tag.sourceType;
        break;
    case ReferRule::kJoinLines:
        AppendLine(field, kLineBreak, text);
        break;
    case ReferRule::kJoinKeywords:
        AppendLine(field, kKeywordJoin, text);
        break;
    case ReferRule::kParagraph:
        AppendLine(field, kParagraphBreak, text);
        break;
    }
}

// "%B" or "%R" alone: the source type of a reference that has no source (yet). Other lines
// shorter than a tag line are ignored.
void TakeSourceTypeLine(RecordFields& fields, std::string_view line)
{
    const ReferTag* tag = line.size() == 2 ? FindReferTag(line[1]) : nullptr;
    if (tag != nullptr && tag->rule == ReferRule::kSource && !fields[kRecordSource].present)
        fields.sourceType = tag->sourceType;
}

void TakeLine(ReferFilter& filter, LineFile* file, std::string_view line)
{
    RecordFields& fields = filter.fields;
    if (line[0] != '%') {
        KeepWhole(fields, line);
        return;
    }
    if (line.size() < kTagLineTextStart) {
        TakeSourceTypeLine(fields, line);
        return;
    }
    if (ConvertsOem(filter, file)) {
        std::string& work = filter.buffers.work;
        work.assign(line);
        OemToAnsiInPlace(work.data(), work.size());
        line = work;
    }
    if (line[1] == kAbstractLineTag) {
        AppendLine(fields[kRecordAbstract], kLineBreak, line.substr(kTagLineTextStart));
        return;
    }
    const ReferTag* tag = FindReferTag(line[1]);
    if (tag == nullptr)
        KeepWhole(fields, line);
    else
        TakeTaggedText(fields, *tag, line);
}

// Reads one reference into the filter's fields; returns its status. A line of nothing but
// blanks and tabs separates references as an empty line does.
int ReadReference(ReferFilter& filter, LineFile* file)
{
    ClearFields(filter.fields);
    std::string_view line;
    bool more;
    while ((more = ReadWholeLine(file, filter.buffers, line)) && IsBlankLine(line)) {
    }
    if (!more)
        return kRecordNone;
    do {
        TakeLine(filter, file, line);
    } while ((more = ReadWholeLine(file, filter.buffers, line)) && !IsBlankLine(line));
    ReplaceAll(filter.fields[kRecordKeywords].text, kKeywordJoin, kLineBreak);
    return more ? kRecordDelivered : kRecordDeliveredLast;
}

}  // namespace

extern "C" FILTER_API FilterRecord* FILTER_CALL LoadRef(void* owner, LineFile* file)
{
    ReferFilter* filter = TheReferFilter();
    if (filter == nullptr)
        return NoRecord();
    return DeliverRecord(filter->owned, filter->fields,
                         [&] { return ReadReference(*filter, file); });
}
