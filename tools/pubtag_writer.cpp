#include "tools/pubtag_writer.h"

#include <cstdio>
#include <string_view>

#include "store/reference.h"

namespace {

constexpr std::size_t kLineWidth = 80;
constexpr std::string_view kContinuation = "      ";

// "TI  - " and the text, wrapped at blanks onto continuation lines.
void AppendWrapped(std::string& out, const char* tag, std::string_view text)
{
    std::string_view lead = tag;
    while (!text.empty()) {
        std::size_t room = kLineWidth - lead.size();
        std::size_t cut = text.size();
        if (cut > room) {
            std::size_t blank = text.rfind(' ', room);
            cut = blank == std::string_view::npos || blank == 0 ? room : blank;
        }
        out.append(lead).append(text.substr(0, cut)).append("\r\n");
        text.remove_prefix(cut);
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        lead = kContinuation;
    }
}

// Paragraph and line breaks become blanks: the format has no line breaks inside a field.
std::string OneLine(const char* text)
{
    std::string line;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at == '\r' || *at == '\n') {
            if (!line.empty() && line.back() != ' ')
                line += ' ';
        } else {
            line += *at;
        }
    }
    return line;
}

// One tagged line for each line of a multi-line text.
void AppendEach(std::string& out, const char* tag, const char* lines)
{
    if (lines == nullptr)
        return;
    std::string_view rest = lines;
    while (!rest.empty()) {
        std::size_t end = rest.find("\r\n");
        std::string_view line = rest.substr(0, end);
        if (!line.empty())
            out.append(tag).append(line).append("\r\n");
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
}

std::string Source(const Reference& reference)
{
    std::string source = reference.source != nullptr ? reference.source : "";
    if (reference.date != nullptr)
        source.append(" ").append(reference.date);
    if (reference.volume != nullptr)
        source.append(";").append(reference.volume);
    if (reference.number != nullptr)
        source.append("(").append(reference.number).append(")");
    if (reference.pages != nullptr)
        source.append(":").append(reference.pages);
    return source;
}

}  // namespace

void AppendPubtagRecord(const Reference& reference, long number, std::string& out)
{
    char counter[24];
    std::snprintf(counter, sizeof counter, "%06ld\r\n", number);
    out.append(counter);
    if (reference.title != nullptr)
        AppendWrapped(out, "TI  - ", OneLine(reference.title));
    AppendEach(out, "AU  - ", reference.authors);
    if (reference.city != nullptr)
        AppendWrapped(out, "AD  - ", reference.city);
    if (reference.date != nullptr)
        out.append("DP  - ").append(reference.date).append("\r\n");
    if (reference.abstract != nullptr)
        AppendWrapped(out, "AB  - ", OneLine(reference.abstract));
    AppendEach(out, "MH  - ", reference.keywords);
    AppendWrapped(out, "SO  - ", Source(reference));
    out.append("\r\n");
}

long long WritePubtagFile(const char* path, const std::vector<Reference*>& references)
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return -1;
    long long written = 0;
    std::string record;
    bool ok = true;
    long number = 0;
    for (const Reference* reference : references) {
        record.clear();
        AppendPubtagRecord(*reference, ++number, record);
        ok = ok && std::fwrite(record.data(), 1, record.size(), file) == record.size();
        written += static_cast<long long>(record.size());
    }
    ok = std::fclose(file) == 0 && ok;
    return ok ? written : -1;
}
