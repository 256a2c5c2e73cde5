#include "print/page_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int32_t kCharWidth = 10;
constexpr int32_t kLineHeight = 50;

// A device whose every character is 10 pixels wide; it keeps what is drawn, page by page.
class RecordingSurface : public PageSurface {
public:
    struct Draw {
        int32_t x, y;
        std::string text;
        bool centred;
    };
    std::vector<std::vector<Draw>> pages;
    int failEndOfPage = 0;  // the page whose end the device refuses (from 1)
    int cancelAfterLines = -1;
    bool pageOpen = false;

    int32_t TextWidth(const char*, size_t length) override
    {
        return static_cast<int32_t>(length) * kCharWidth;
    }
    bool BeginPage(const char*) override
    {
        EXPECT_FALSE(pageOpen);
        pages.emplace_back();
        pageOpen = true;
        return true;
    }
    bool EndPage() override
    {
        EXPECT_TRUE(pageOpen);
        pageOpen = false;
        return static_cast<int>(pages.size()) != failEndOfPage;
    }
    void DrawText(int32_t x, int32_t y, const char* text, size_t length, bool centred) override
    {
        pages.back().push_back({x, y, std::string(text, length), centred});
        if (!centred && cancelAfterLines > 0)
            --cancelAfterLines;
    }
    bool Cancelled() override { return cancelAfterLines == 0; }

    // The text lines of every page, in order.
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

// A page of 8 lines: title on line 1, text on lines 3 to 6, the page number on line 8.
PrintRun MakeRun(RecordingSurface& surface, int32_t widthInChars)
{
    PrintRun run;
    run.surface = &surface;
    run.geometry.lineHeight = kLineHeight;
    run.geometry.linesPerPage = 8;
    run.geometry.leftMargin = 200;
    run.geometry.printWidth = widthInChars * kCharWidth;
    run.title = "Job";
    run.pageFormat = "Page %u  ";
    return run;
}

std::vector<std::string> PrintedLines(const std::string& text, int32_t widthInChars)
{
    RecordingSurface surface;
    PrintRun run = MakeRun(surface, widthInChars);
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
        EXPECT_EQ(PrintedLines(c.text, c.width), c.lines);
    }
}

TEST(PageLayout, PagesCarryTitleNumberAndTextLines)
{
    struct Case {
        int lines;
        size_t pages;
    };
    // Four text lines a page; a text that fills its last page exactly ends there, an empty
    // text still gets its page.
    const Case cases[] = {{9, 3}, {8, 2}, {4, 1}, {0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " lines");
        std::string text;
        for (int i = 0; i < c.lines; ++i)
            text += "line" + std::to_string(i) + "\r\n";
        RecordingSurface surface;
        PrintRun run = MakeRun(surface, 40);
        PrintTextLines(run, text.data(), text.size());
        FinishRun(run);
        ASSERT_EQ(surface.pages.size(), c.pages);
        EXPECT_FALSE(surface.pageOpen);
        int line = 0;
        for (size_t page = 0; page < surface.pages.size(); ++page) {
            const auto& draws = surface.pages[page];
            ASSERT_GE(draws.size(), 2u);
            const int32_t centre = 200 + 200;
            EXPECT_EQ(draws[0].text, "Page " + std::to_string(page + 1) + "  ");
            EXPECT_EQ(draws[0].y, 8 * kLineHeight);
            EXPECT_EQ(draws[1].text, "Job");
            EXPECT_EQ(draws[1].y, kLineHeight);
            EXPECT_TRUE(draws[0].centred && draws[1].centred);
            EXPECT_EQ(draws[0].x, centre);
            for (size_t i = 2; i < draws.size(); ++i, ++line) {
                EXPECT_EQ(draws[i].text, "line" + std::to_string(line) + " ");
                EXPECT_EQ(draws[i].x, 200);
                EXPECT_EQ(draws[i].y, static_cast<int32_t>(i + 1) * kLineHeight);
            }
        }
        EXPECT_EQ(line, c.lines);
    }
}

TEST(PageLayout, DeviceErrorAndCancelStopTheJob)
{
    const std::string text(40, '\n');
    RecordingSurface refused;
    refused.failEndOfPage = 1;
    PrintRun run = MakeRun(refused, 40);
    PrintTextLines(run, text.data(), text.size());
    FinishRun(run);
    EXPECT_TRUE(run.failed);
    EXPECT_EQ(refused.pages.size(), 1u);
    EXPECT_EQ(refused.Lines().size(), 4u);

    RecordingSurface cancelled;
    cancelled.cancelAfterLines = 6;
    PrintRun second = MakeRun(cancelled, 40);
    PrintTextLines(second, text.data(), text.size());
    FinishRun(second);
    EXPECT_EQ(cancelled.Lines().size(), 6u);
    EXPECT_FALSE(cancelled.pageOpen);
}

TEST(PageLayout, ChunksAlwaysMoveOnAndPrintEveryReference)
{
    // References of the largest formatted size: two make a chunk; a third would reach it.
    // Each is one long word, so it also prints in pieces.
    const size_t count = 5;
    auto format = [](size_t index, char* out, size_t outSize) {
        const size_t length = outSize - 1;
        std::string text(length - 4, static_cast<char>('a' + index));
        text += "\r\n\r\n";
        text.copy(out, length);
        out[length] = '\0';
        return length;
    };
    std::vector<char> buffer(kPrintBufferSize);
    size_t length = 0;
    EXPECT_EQ(TakeChunk(0, count, format, buffer.data(), length), 2u);
    EXPECT_EQ(length, 2 * (kReferenceTextSize - 1));
    EXPECT_EQ(TakeChunk(4, count, format, buffer.data(), length), 5u);

    RecordingSurface surface;
    PrintRun run = MakeRun(surface, 100);
    PrintReferenceChunks(run, count, format, buffer.data());
    std::string printed;
    for (const std::string& line : surface.Lines())
        printed += line;
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        const char letter = static_cast<char>('a' + i);
        EXPECT_EQ(std::count(printed.begin(), printed.end(), letter),
                  static_cast<long>(kReferenceTextSize - 5));
    }
    EXPECT_FALSE(surface.pageOpen);
}
