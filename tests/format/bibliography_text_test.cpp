#include "format/bibliography_text.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format/bib_format.h"
#include "store/reference.h"
#include "store/reference_list.h"

namespace {

constexpr char kClosing[] = "\r\n\r\n";

BibFormat Parsed(const char* text)
{
    BibFormat format;
    ParseBibFormatInto(text, format);
    return format;
}

// A list without a database (ordered by title among the program's keys) holding references
// whose titles are `titleLength` characters, numbered so that they differ and sort in order.
class BibliographyTextTest : public ::testing::Test {
protected:
    void SetUp() override { list = CreateReferenceList(20, 0, nullptr); }
    void TearDown() override { delete list; }

    void AddTitles(int count, std::size_t titleLength)
    {
        for (int i = 0; i < count; ++i) {
            char number[16];
            std::snprintf(number, sizeof number, "%06d", list->count());
            std::string title = number;
            title.resize(titleLength, 'x');
            Reference* reference = new Reference;
            SetReferenceText(*reference, kFieldTitle, title.c_str());
            ASSERT_GE(list->insert(reference), 0);
        }
    }

    // Builds into a buffer of exactly `size` bytes with guard bytes after it.
    BibliographyText Build(const BibFormat& format, std::size_t size, std::string& text)
    {
        constexpr std::size_t kGuard = 16;
        std::vector<char> buffer(size + kGuard, '#');
        const BibliographyText result =
            BuildBibliographyText(format, *list, buffer.data(), size, [this] { ++notices; });
        for (std::size_t i = size; i < size + kGuard; ++i)
            if (buffer[i] != '#') ADD_FAILURE() << "written past the buffer at " << i;
        text = size > 0 ? std::string(buffer.data()) : std::string();
        EXPECT_EQ(text.size(), result.length);
        return result;
    }

    ReferenceList* list = nullptr;
    int notices = 0;
};

TEST_F(BibliographyTextTest, WritesHeaderReferencesInOrderAndFooter)
{
    AddTitles(3, 8);
    std::string text;
    const BibliographyText result =
        Build(Parsed("[Refs\\n][The end]<T@>"), kBibliographyTextSize, text);
    EXPECT_EQ(text, std::string("Refs\r\n") + "000000xx" + kClosing + "000001xx" + kClosing +
                        "000002xx" + kClosing + "The end");
    EXPECT_EQ(result.included, 3);
    EXPECT_FALSE(result.truncated);
    EXPECT_EQ(notices, 0);

    // References for which the format writes nothing contribute nothing.
    Build(Parsed("[Head][Foot]<X@>"), kBibliographyTextSize, text);
    EXPECT_EQ(text, "HeadFoot");
    // An empty list gives header and footer.
    delete list;
    list = CreateReferenceList(20, 0, nullptr);
    Build(Parsed("[Head][Foot]<T@>"), kBibliographyTextSize, text);
    EXPECT_EQ(text, "HeadFoot");
}

TEST_F(BibliographyTextTest, StopsBeforeTheMarginAndStillWritesTheFooter)
{
    // Each reference formats to 50 characters; the header and footer take 1 each.
    AddTitles(20, 46);
    const std::size_t perReference = 50;
    std::string text;
    const std::size_t size = 400;
    const BibliographyText result = Build(Parsed("[H][F]<T@>"), size, text);
    // A reference goes in while header + references + 100 stays below the size.
    int expected = 0;
    while (1 + perReference * (expected + 1) + kBibliographyMargin < size) ++expected;
    EXPECT_EQ(result.included, expected);
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(text.size(), 1 + perReference * expected + 1);
    EXPECT_EQ(text.front(), 'H');
    EXPECT_EQ(text.back(), 'F');
}

TEST_F(BibliographyTextTest, KeepsRoomForAFooterLongerThanTheMargin)
{
    AddTitles(30, 46);
    const std::string footer(300, 'f');
    std::string text;
    const std::size_t size = 1000;
    const BibliographyText result = Build(Parsed(("[H][" + footer + "]<T@>").c_str()), size, text);
    int expected = 0;
    while (1 + 50 * (expected + 1) + footer.size() < size) ++expected;
    EXPECT_EQ(result.included, expected);
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(text.substr(text.size() - footer.size()), footer);
    EXPECT_LT(text.size(), size);
}

TEST_F(BibliographyTextTest, FillsTheFullBufferOnceAndNoFurther)
{
    // 600 references of 1004 characters each are more than the buffer holds.
    AddTitles(600, 1000);
    std::string text;
    const BibliographyText result =
        Build(Parsed("[Header][Footer]<T@>"), kBibliographyTextSize, text);
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(notices, 1);
    int expected = 0;
    while (6 + 1004 * (expected + 1) + kBibliographyMargin < kBibliographyTextSize) ++expected;
    EXPECT_EQ(result.included, expected);
    EXPECT_LT(expected, 600);
    EXPECT_EQ(text.size(), 6 + 1004 * static_cast<std::size_t>(expected) + 6);
    EXPECT_EQ(text.substr(text.size() - 6), "Footer");
    // A reference is never cut: the last one before the footer is whole.
    EXPECT_EQ(text.substr(text.size() - 10, 4), kClosing);
}

TEST_F(BibliographyTextTest, TinyBuffersStayInBounds)
{
    AddTitles(2, 10);
    const BibFormat format = Parsed("[Header][Footer]<T@>");
    for (std::size_t size = 0; size < 24; ++size) {
        SCOPED_TRACE(size);
        std::string text;
        const BibliographyText result = Build(format, size, text);
        EXPECT_EQ(result.included, 0);
        if (size > 0) {
            EXPECT_EQ(text.size(), size - 1 < 12 ? size - 1 : 12);
        }
    }
    // Without a notice callback a truncation still works.
    char small[64];
    const BibliographyText result = BuildBibliographyText(format, *list, small, sizeof small, {});
    EXPECT_TRUE(result.truncated);
    EXPECT_STREQ(small, "HeaderFooter");
}

TEST(SingleReferenceText, IsHeaderReferenceAndFooter)
{
    Reference reference;
    SetReferenceText(reference, kFieldTitle, "Title");
    char out[kFormattedReferenceSize];
    const BibliographyText result =
        BuildSingleReferenceText(Parsed("[<<][>>]<T@>"), reference, out, sizeof out);
    EXPECT_EQ(std::string(out), std::string("<<Title") + kClosing + ">>");
    EXPECT_EQ(result.included, 1);
    EXPECT_EQ(result.length, std::strlen(out));
}

}  // namespace
