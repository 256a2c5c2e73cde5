#include "tools/refer_writer.h"

#include <cstdio>
#include <cstring>

#include "store/reference.h"

namespace {

void AppendLine(std::string& out, const char* tag, const std::string& text)
{
    out += tag;
    out += text;
    out += "\r\n";
}

void AppendField(std::string& out, const char* tag, const char* text)
{
    if (text != nullptr) AppendLine(out, tag, text);
}

// One tagged line per non-empty line of a name list.
void AppendNames(std::string& out, const char* tag, const char* names)
{
    if (names == nullptr) return;
    const char* at = names;
    while (*at != 0) {
        const std::size_t length = std::strcspn(at, "\r\n");
        if (length > 0) AppendLine(out, tag, std::string(at, length));
        at += length;
        while (*at == '\r' || *at == '\n') ++at;
    }
}

std::string Replaced(const char* text, const char* from, const char* to)
{
    std::string result(text);
    const std::size_t fromLength = std::strlen(from);
    for (std::size_t at = result.find(from); at != std::string::npos;
         at = result.find(from, at)) {
        result.replace(at, fromLength, to);
        // Repeated replacement, so that three line breaks in a row also become one.
        if (std::strcmp(to, "\r\n") != 0) at += std::strlen(to);
    }
    return result;
}

const char* SourceTag(int32_t sourceType)
{
    switch (sourceType) {
    case kSourceJournal: return "%J ";
    case kSourceBook: return "%B ";
    case kSourceReport: return "%R ";
    default: return nullptr;
    }
}

}  // namespace

void AppendReferRecord(const Reference& reference, std::string& out)
{
    AppendNames(out, "%A ", reference.authors);
    AppendField(out, "%D ", reference.date);
    AppendField(out, "%T ", reference.title);
    if (const char* tag = SourceTag(reference.sourceType)) AppendField(out, tag, reference.source);
    AppendField(out, "%I ", reference.publisher);
    AppendField(out, "%C ", reference.city);
    AppendNames(out, "%E ", reference.editors);
    AppendField(out, "%V ", reference.volume);
    AppendField(out, "%N ", reference.number);
    AppendField(out, "%P ", reference.pages);
    if (reference.keywords != nullptr)
        AppendLine(out, "%K ", Replaced(reference.keywords, "\r\n", ", "));
    if (reference.abstract != nullptr)
        AppendLine(out, "%X ", Replaced(reference.abstract, "\r\n\r\n", "\r\n"));
    out += "\r\n";
}

long long WriteReferFile(const char* path, const std::vector<Reference*>& references)
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return -1;
    long long written = 0;
    std::string record;
    bool ok = true;
    for (const Reference* reference : references) {
        record.clear();
        AppendReferRecord(*reference, record);
        ok = ok && std::fwrite(record.data(), 1, record.size(), file) == record.size();
        written += static_cast<long long>(record.size());
    }
    ok = std::fclose(file) == 0 && ok;
    return ok ? written : -1;
}
