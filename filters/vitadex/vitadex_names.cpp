#include "filters/vitadex/vitadex_names.h"

#include <algorithm>

#include "filters/common/text_edit.h"

namespace {

constexpr size_t kShortestNamePart = 3;
constexpr size_t kNextAuthorOffset = 2;  // behind "; "

}  // namespace

void AppendAuthorName(std::string& out, std::string_view author)
{
    size_t hyphen = author.find('-');
    out.append(author.substr(0, hyphen));
    bool initialsStarted = false;
    while (hyphen != std::string_view::npos) {
        size_t start = hyphen + 1;
        hyphen = author.find('-', start);
        std::string_view piece = author.substr(start, hyphen == std::string_view::npos
                                                          ? std::string_view::npos
                                                          : hyphen - start);
        bool last = hyphen == std::string_view::npos;
        if (!last && piece.size() >= kShortestNamePart) {
            out += '-';
        } else if (!initialsStarted) {
            out += ", ";
            initialsStarted = true;
        }
        out.append(piece);
    }
}

void ReformatAuthors(const std::string& authors, std::string& out)
{
    out.clear();
    std::string_view all = authors;
    size_t start = 0;
    for (;;) {
        size_t semicolon = all.find(';', start);
        AppendAuthorName(out, all.substr(start, semicolon == std::string_view::npos
                                                    ? std::string_view::npos
                                                    : semicolon - start));
        out.append(kLineBreak);
        if (semicolon == std::string_view::npos)
            break;
        start = std::min(semicolon + kNextAuthorOffset, all.size());
    }
}
