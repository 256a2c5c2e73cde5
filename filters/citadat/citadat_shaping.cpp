#include "filters/citadat/citadat_shaping.h"

#include <string_view>

#include "filters/citadat/citadat_filter.h"
#include "filters/common/ansi_text.h"
#include "filters/common/text_edit.h"

namespace {

void CapitalizeFirstLower(std::string& text, size_t at)
{
    if (at < text.size() && IsAnsiLower(text[at]))
        text[at] = ToUpperAnsi(text[at]);
}

// The whole text in lower case but for a capital first letter.
void LowerWithCapital(std::string& text)
{
    LowerAnsiRange(text, 0, text.size());
    if (!text.empty() && IsAnsiLetter(text[0]))
        text[0] = ToUpperAnsi(text[0]);
}

void AppendAuthor(std::string& out, std::string_view author)
{
    size_t start = out.size();
    out.append(author);
    CapitalizeFirstLower(out, start);
    size_t comma = author.find(',');
    if (comma == std::string_view::npos)
        return;
    size_t i = start + comma + 1;
    while (i < out.size() && out[i] == ' ')
        ++i;
    for (; i < out.size() && IsAnsiLetter(out[i]); ++i)
        out[i] = ToUpperAnsi(out[i]);
}

void AppendEditor(std::string& out, std::string_view editor)
{
    size_t start = out.size();
    out.append(editor);
    CapitalizeFirstLower(out, start);
    size_t underscore = editor.find('_');
    if (underscore == std::string_view::npos) {
        LowerAnsiRange(out, start + 1, out.size());
        return;
    }
    size_t mark = start + underscore;
    LowerAnsiRange(out, start + 1, mark);
    out.replace(mark, 1, ", ");
    UpperAnsiRange(out, mark + 2, out.size());
}

// The names of `names`, cut at every `separator`, each shaped by `append`, one per line.
void ShapeNames(std::string& names, char separator, std::string& work,
                void (*append)(std::string&, std::string_view))
{
    work.clear();
    ForEachPiece(names, separator, [&](std::string_view name) {
        if (!work.empty())
            work.append(kLineBreak);
        append(work, name);
    });
    names.swap(work);
}

void AddExtraKeywords(FieldText& keywords, const FieldText& documentType, int options)
{
    std::string extra;
    if (options & kAddUnreadKeyword)
        extra = "unread";
    if ((options & kAddDocumentTypeKeyword) && !documentType.text.empty()) {
        if (!extra.empty())
            extra.append(kLineBreak);
        extra.append(documentType.text);
    }
    if (extra.empty())
        return;
    if (!keywords.text.empty())
        extra.append(kLineBreak).append(keywords.text);
    SetField(keywords, extra);
}

}  // namespace

void ShapeCitadatAuthors(std::string& authors, std::string& work)
{
    ShapeNames(authors, ';', work, AppendAuthor);
}

void ShapeCitadatEditors(std::string& editors, std::string& work)
{
    ShapeNames(editors, ',', work, AppendEditor);
}

void ShapeCitadatKeywords(std::string& keywords, std::string& work)
{
    work.clear();
    for (size_t i = 0; i < keywords.size();) {
        if (keywords.compare(i, 2, ", ") != 0) {
            work += keywords[i++];
            continue;
        }
        work.append(kLineBreak);
        i += 2;
        if (i < keywords.size() && IsAnsiLower(keywords[i]))
            work += ToUpperAnsi(keywords[i++]);
    }
    keywords.swap(work);
}

void ShapeCitadatRecord(RecordFields& fields, FieldText& documentType, int options,
                        std::string& work)
{
    for (int i = 0; i <= kRecordTextCount; ++i) {
        FieldText& field = i < kRecordTextCount ? fields.texts[i] : documentType;
        ReplaceByte(field.text, kJoinMark, ' ');
        if ((options & kLowerCaseFields) && i != kRecordAbstract)
            LowerWithCapital(field.text);
    }
    if (fields[kRecordAuthors].present)
        ShapeCitadatAuthors(fields[kRecordAuthors].text, work);
    if (fields[kRecordEditors].present)
        ShapeCitadatEditors(fields[kRecordEditors].text, work);
    if (fields[kRecordKeywords].present)
        ShapeCitadatKeywords(fields[kRecordKeywords].text, work);
    AddExtraKeywords(fields[kRecordKeywords], documentType, options);
}
