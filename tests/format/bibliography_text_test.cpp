#include "format/bibliography_text.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/reference.h"
#include "store/reference_list.h"

namespace {

constexpr char kClosing[] = "\r\n\r\n";

BibFormat Parsed(const std::string& text)
{
    BibFormat format;
    ParseBibFormatInto(text.c_str(), format);
    return format;
}

// A list of `count` references whose titles are `titleLength` characters, numbered so that
// they sort in order; each formats to titleLength + 4 characters under "<T@>".
ReferenceList* Titles(int count, std::size_t titleLength)
{
    ReferenceList* list = CreateReferenceList(20, 0, nullptr);
    for (int i = 0; i < count; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%06d", i);
        std::string title = number;
        title.resize(titleLength, 'x');
        Reference* reference = new Reference;
        SetReferenceText(*reference, kFieldTitle, title.c_str());
        list->insert(reference);
    }
    return list;
}

TEST(BibliographyText, LeavesOutWhatComesNearTheEndButAlwaysWritesTheFooter)
{
    struct Case {
        const char* what;
        int count;
        std::size_t titleLength;
        std::size_t footerLength;
        std::size_t size;
        int included;
    };
    const Case cases[] = {
        {"all fit", 3, 8, 1, kBibliographyTextSize, 3},
        {"a reference may end 101 bytes before the end", 20, 46, 1, 1 + 3 * 50 + 101, 3},
        {"but not 100", 20, 46, 1, 1 + 3 * 50 + 100, 2},
        {"a footer longer than the margin keeps its room", 30, 46, 300, 1000, 13},
        {"a footer that exactly fits", 30, 46, 300, 1 + 13 * 50 + 300 + 1, 13},
        {"the full buffer", 600, 1000, 6, kBibliographyTextSize, 522},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReferenceList* list = Titles(c.count, c.titleLength);
        const std::string footer(c.footerLength, 'F');
        std::vector<char> buffer(c.size + 16, '#');
        int notices = 0;
        const BibliographyText result =
            BuildBibliographyText(Parsed("[H][" + footer + "]<T@>"), *list, buffer.data(), c.size,
                                  [&notices] { ++notices; });
        const std::string text = buffer.data();
        EXPECT_EQ(result.included, c.included);
        EXPECT_EQ(result.truncated, c.included < c.count);
        EXPECT_EQ(notices, c.included < c.count ? 1 : 0);
        EXPECT_EQ(text.size(), result.length);
        EXPECT_EQ(text.size(), 1 + (c.titleLength + 4) * c.included + c.footerLength);
        EXPECT_EQ(text.substr(text.size() - c.footerLength - 4, 4), kClosing);  // never cut
        EXPECT_EQ(buffer[c.size], '#');
        delete list;
    }
}

TEST(BibliographyText, ASingleReferenceHasHeaderAndFooter)
{
    Reference reference;
    SetReferenceText(reference, kFieldTitle, "Title");
    char out[kFormattedReferenceSize];
    const BibliographyText single =
        BuildSingleReferenceText(Parsed("[<<][>>]<T@>"), reference, out, sizeof out);
    EXPECT_EQ(std::string(out), std::string("<<Title") + kClosing + ">>");
    EXPECT_EQ(single.included, 1);
}

}  // namespace
