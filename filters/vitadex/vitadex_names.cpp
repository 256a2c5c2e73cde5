#include "filters/vitadex/vitadex_names.h"

#include "filters/common/text_edit.h"

namespace {

constexpr size_t kShortestNamePart = 3;

}  // namespace

void AppendAuthorName(std::string& out, std::string_view author)
{
    size_t initials = author.rfind('-');
    if (initials == std::string_view::npos) {
        out.append(author);
        return;
    }
    // Back over the short pieces before the last one, but never into the first piece.
    for (size_t before = author.rfind('-', initials - 1);
         before != std::string_view::npos && initials - before - 1 < kShortestNamePart;
         before = before == 0 ? std::string_view::npos : author.rfind('-', before - 1))
        initials = before;
    out.append(author.substr(0, initials)).append(", ");
    for (char c : author.substr(initials + 1)) {
        if (c != '-')
            out += c;
    }
}

void ReformatAuthors(const std::string& authors, std::string& out)
{
    out.clear();
    ForEachPiece(authors, ';', [&](std::string_view author) {
        AppendAuthorName(out, author);
        out.append(kLineBreak);
    });
}
