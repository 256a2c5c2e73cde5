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
    bool pageOpen = false;

    int32_t TextWidth(const char*, size_t length) override { return int32_t(length) * 10; }
    bool BeginPage(const char*) override
    {
        EXPECT_FALSE(pageOpen);
        pages.emplace_back();
        return pageOpen = true;
    }
    bool EndPage() override
    {
        EXPECT_TRUE(pageOpen);
        pageOpen = false;
        return int(pages.size()) != failEndOfPage;
    }
    void DrawText(int32_t x, int32_t y, const char* text, size_t length, bool centred) override
    {
        pages.back().push_back({x, y, std::string(text, length), centred});
    }
    bool Cancelled() override { return false; }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const auto& page : pages) {
            for (const Draw& draw : page) {
                if (!draw.centred)
                    lines.push_back(draw.text);
            }
        }
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
    EXPECT_FALSE(surface.pageOpen);
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

TEST(PageLayout, PagesCarryTitleNumberAndTextLines)
{
    // Four text lines a page; a text that fills its last page exactly ends there, an empty
    // text still gets its page.
    const std::pair<int, size_t> cases[] = {{9, 3}, {8, 2}, {0, 1}};
    for (const auto& [lines, pages] : cases) {
        SCOPED_TRACE(testing::Message() << lines << " lines");
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "line" + std::to_string(i) + "\r\n";
        RecordingSurface surface;
        Print(surface, text, 40);
        ASSERT_EQ(surface.pages.size(), pages);
        int line = 0;
        for (size_t page = 0; page < pages; ++page) {
            const auto& draws = surface.pages[page];
            ASSERT_GE(draws.size(), 2u);
            // Number and title centred on 200 + 400 / 2.
            EXPECT_EQ(draws[0].text, "Page " + std::to_string(page + 1) + "  ");
            EXPECT_EQ(draws[0].y, 8 * 50);
            EXPECT_EQ(draws[1].text, "Job");
            EXPECT_EQ(draws[1].y, 50);
            EXPECT_TRUE(draws[0].centred && draws[1].centred && draws[0].x == 400);
            for (size_t i = 2; i < draws.size(); ++i, ++line) {
                EXPECT_EQ(draws[i].text, "line" + std::to_string(line) + " ");
                EXPECT_EQ(draws[i].x, 200);
                EXPECT_EQ(draws[i].y, int32_t(i + 1) * 50);
            }
        }
        EXPECT_EQ(line, lines);
    }
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
