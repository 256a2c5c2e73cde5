#include "print/page_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A device whose every character is 10 pixels wide; it keeps what is drawn, page by page.
struct RecordingSurface : PageSurface {
    struct Draw {
        int32_t x, y;
        std::string text;
        bool centred;
    };
    std::vector<std::vector<Draw>> pages;
    int failEndOfPage = 0;  // the page whose end the device refuses (from 1)

    int32_t TextWidth(const char*, size_t length) override { return int32_t(length) * 10; }
    bool BeginPage(const char*) override
    {
        pages.emplace_back();
        return true;
    }
    bool EndPage() override { return int(pages.size()) != failEndOfPage; }
    void DrawText(int32_t x, int32_t y, const char* text, size_t length, bool centred) override
    {
        pages.back().push_back({x, y, std::string(text, length), centred});
    }
    bool Cancelled() override { return false; }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const auto& page : pages)
            for (const Draw& draw : page)
                if (!draw.centred) lines.push_back(draw.text);
        return lines;
    }
};

// Lines 50 pixels apart, 8 to a page: the title on line 1, text on lines 3 to 6, the page
// number on line 8.
std::vector<std::string> Print(RecordingSurface& surface, const std::string& text,
                               int32_t widthInChars)
{
    PrintRun run;
    run.surface = &surface;
    run.geometry = {50, 8, 200, widthInChars * 10};
    run.title = "Job";
    run.pageFormat = "Page %u  ";
    PrintTextLines(run, text.data(), text.size());
    FinishRun(run);
    return surface.Lines();
}

}  // namespace

TEST(PageLayout, LinesTakeTheWholeWordsThatFit)
{
    struct Case {
        const char* text;
        int32_t width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        // A word fits with the character after it narrower than the width.
        {"alpha beta gamma", 12, {"alpha beta", "gamma"}},
        {"alpha beta gamma", 11, {"alpha", "beta gamma"}},
        // Carriage returns and TABs print as blanks; a line feed at a line start is an empty
        // line; text after the last line feed is a last line.
        {"one\r\ntwo\r\n\r\nthree", 40, {"one ", "two ", " ", "three"}},
        {"\n\na\tb", 40, {"", "", "a b"}},
        {"trailing ", 40, {"trailing"}},
        // Words wider than the line are broken where the width ends; nothing is lost.
        {"abcdefghijklmnopqrstuvwxyz", 10, {"abcdefghi", "jklmnopqr", "stuvwxyz"}},
        {"word toolongwordhere end", 8, {"word", "toolong", "wordher", "e end"}},
        // A word that fits only without its separator does not leave the separator behind.
        {"abcd efgh", 5, {"abcd", "efgh"}},
        {"ab", 0, {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" width " << c.width);
        RecordingSurface surface;
        EXPECT_EQ(Print(surface, c.text, c.width), c.lines);
    }
}

// Four text lines a page: a text that fills its last page exactly ends there, an empty text
// still gets its page. Title and number are centred on 200 + 400 / 2.
TEST(PageLayout, PagesCarryTitleNumberAndTextLines)
{
    RecordingSurface surface;
    Print(surface, "1\n2\n3\n4\n5\n6\n7\n8\n9", 40);
    ASSERT_EQ(surface.pages.size(), 3u);
    const std::vector<RecordingSurface::Draw> last = {
        {400, 400, "Page 3  ", true}, {400, 50, "Job", true}, {200, 150, "9", false}};
    for (size_t i = 0; i < last.size(); ++i) {
        EXPECT_EQ(surface.pages[2][i].x, last[i].x);
        EXPECT_EQ(surface.pages[2][i].y, last[i].y);
        EXPECT_EQ(surface.pages[2][i].text, last[i].text);
    }
    EXPECT_EQ(surface.pages[1].back().y, 300);  // the fourth line of a page
    RecordingSurface full;
    EXPECT_EQ(Print(full, "1\n2\n3\n4\n5\n6\n7\n8\n", 40).size(), 8u);
    EXPECT_EQ(full.pages.size(), 2u);
    RecordingSurface empty;
    Print(empty, "", 40);
    EXPECT_EQ(empty.pages.size(), 1u);
    // A device error at the end of the first page stops the job.
    RecordingSurface refused;
    refused.failEndOfPage = 1;
    EXPECT_EQ(Print(refused, std::string(40, '\n'), 40).size(), 4u);
}

TEST(PageLayout, ChunksAlwaysMoveOnAndPrintEveryReference)
{
    // References of the largest formatted size, each one long word: two make a chunk, a
    // third would reach its size; each prints in pieces.
    const size_t count = 5;
    auto format = [](size_t index, char* out, size_t outSize) {
        std::string text(outSize - 5, char('a' + index));
        text += "\r\n\r\n";
        text.copy(out, text.size());
        out[text.size()] = '\0';
        return text.size();
    };
    std::vector<char> buffer(kPrintBufferSize);
    size_t length = 0;
    EXPECT_EQ(TakeChunk(0, count, format, buffer.data(), length), 2u);
    EXPECT_EQ(length, 2 * (kReferenceTextSize - 1));
    EXPECT_EQ(TakeChunk(4, count, format, buffer.data(), length), 5u);

    RecordingSurface surface;
    PrintRun run;
    run.surface = &surface;
    run.geometry = {50, 8, 200, 1000};
    PrintReferenceChunks(run, count, format, buffer.data());
    std::string printed;
    for (const std::string& line : surface.Lines())
        printed += line;
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(std::count(printed.begin(), printed.end(), char('a' + i)),
                  long(kReferenceTextSize - 5)) << i;
}
