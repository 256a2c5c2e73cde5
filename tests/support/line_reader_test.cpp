#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cartio.h"
#include "test_files.h"

namespace {

constexpr int kBufferSize = 32768;

// How ReadLine splits lines and pieces is checked against a plain splitting by its fuzz target.
TEST(LineFile, BadArgumentsAreRefusedWithoutTouchingAnything)
{
    TempDir dir;
    WriteBytes(dir.Path("one.txt"), "one\r\n");
    char buffer[17];
    LineFile file;
    EXPECT_NE(OpenLineFile(&file, dir.Path("missing.txt").c_str(), kLineFileRead, buffer, 16), 0);
    EXPECT_NE(OpenLineFile(&file, dir.Path("x.txt").c_str(), kLineFileWrite, buffer, 1), 0);
    EXPECT_NE(OpenLineFile(&file, dir.Path("x.txt").c_str(), 7, buffer, 16), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("x.txt")));
    ASSERT_EQ(OpenLineFile(&file, dir.Path("one.txt").c_str(), kLineFileRead, buffer, 16), 0);
    char line[8] = "keep";
    int endFlag = 0;
    EXPECT_EQ(ReadLineLimited(&file, line, 1, &endFlag), 0);
    EXPECT_EQ(endFlag, 1);
    EXPECT_EQ(ReadLineLimited(&file, line, sizeof line, nullptr), 0);
    EXPECT_STREQ(line, "keep");
    // Nothing was consumed by the refused calls.
    EXPECT_EQ(ReadLineLimited(&file, line, sizeof line, &endFlag), 1);
    EXPECT_STREQ(line, "one");
    EXPECT_EQ(CloseLineFile(&file), 0);
}

// A whole file read as text with ReadLinePiece, the pieces of each line joined.
struct TextRead {
    std::vector<std::string> lines;
    uint32_t encoding = 0;  // the flags that tell what the file was found to be
    int unmapped = 0;
};

TextRead ReadText(const std::string& path, int bufferSize, int lineSize)
{
    TextRead read;
    std::vector<char> buffer(static_cast<size_t>(bufferSize) + 1);
    std::vector<char> line(static_cast<size_t>(lineSize));
    LineFile file;
    EXPECT_EQ(OpenLineFile(&file, path.c_str(), kLineFileReadText, buffer.data(), bufferSize), 0);
    bool continued = false;
    int goesOn = 0;
    for (int length; (length = ReadLinePiece(&file, line.data(), lineSize, &goesOn)) >= 0;) {
        EXPECT_LT(length, lineSize);
        EXPECT_EQ(std::string(line.data()).size(), static_cast<size_t>(length));
        if (!continued)
            read.lines.emplace_back();
        read.lines.back().append(line.data(), static_cast<size_t>(length));
        continued = goesOn != 0;
    }
    EXPECT_FALSE(continued) << "the last piece said the line goes on";
    read.encoding = file.flags & (kLineFileUtf8 | kLineFileUtf8Mark | kLineFile8Bit | kLineFileUtf16);
    read.unmapped = file.unmapped;
    EXPECT_EQ(CloseLineFile(&file), 0);
    return read;
}

TEST(ReadLineText, SkipsTheMarkConvertsUtf8AndKeepsWhatTheCodePageLacks)
{
    struct TextCase {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        uint32_t encoding;
        int unmapped;
    };
    const uint32_t marked = kLineFileUtf8 | kLineFileUtf8Mark;
    const TextCase cases[] = {
        {"a mark, names of the other manager", "\xEF\xBB\xBF%A \xC3\x96zerol, \xC5\x81.\r\n",
         {"%A \xD6zerol, {U+0141}."}, marked, 1},
        {"no mark, valid sequences", "%T caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xC5\x91\n",
         {"%T caf\xE9 \x80 {U+1F600} {U+0151}"}, kLineFileUtf8, 2},
        {"the undefined bytes of the code page", "\xC2\x81\xC2\x9D", {"\x81\x9D"}, kLineFileUtf8, 0},
        {"an invalid sequence: 8-bit", "%A Ren\xE9\r\n%T \xC3\xA9\r\n",
         {"%A Ren\xE9", "%T \xC3\xA9"}, kLineFile8Bit, 0},
        {"a sequence cut by the end", "x\xC3", {"x\xC3"}, kLineFile8Bit, 0},
        {"an invalid byte after UTF-8 was found", "\xC3\xA9\r\n\xE9", {"\xE9", "\xE9"},
         kLineFileUtf8, 0},
        {"zero bytes read as blanks", std::string("a\0b\r\n\0\r\n", 7), {"a b", " "}, 0, 0},
        {"UTF-16 with a mark", std::string("\xFF\xFE%\0T\0", 6), {}, kLineFileUtf16, 0},
        {"big-endian UTF-16", std::string("\0%\0T\0 \0x", 8), {}, kLineFileUtf16, 0},
    };
    TempDir dir;
    for (const TextCase& c : cases) {
        for (int bufferSize : {8, kBufferSize}) {
            SCOPED_TRACE(std::string(c.name) + ", buffer " + std::to_string(bufferSize));
            WriteBytes(dir.Path("text.txt"), c.bytes);
            const TextRead read = ReadText(dir.Path("text.txt"), bufferSize, kBufferSize);
            EXPECT_EQ(read.lines, c.lines);
            EXPECT_EQ(read.encoding, c.encoding);
            EXPECT_EQ(read.unmapped, c.unmapped);
        }
    }
}

// Pieces of a line never cut a character or its escape; a line buffer too small for an
// escape gets "?".
TEST(ReadLineText, PiecesOfALongLineJoinIntoTheWholeLine)
{
    TempDir dir;
    std::string bytes;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        bytes += "\xC3\xA9\xC5\x91-";
        expected += "\xE9{U+0151}-";
    }
    WriteBytes(dir.Path("long.txt"), "%A " + bytes + "\r\nnext\r\n");
    for (int lineSize : {11, 64, kBufferSize}) {
        SCOPED_TRACE(lineSize);
        const TextRead read = ReadText(dir.Path("long.txt"), 64, lineSize);
        EXPECT_EQ(read.lines, (std::vector<std::string>{"%A " + expected, "next"}));
        EXPECT_EQ(read.unmapped, 3000);
    }
    WriteBytes(dir.Path("short.txt"), "\xC5\x91\xC3\xA9\r\n");
    EXPECT_EQ(ReadText(dir.Path("short.txt"), 64, 4).lines, std::vector<std::string>{"?\xE9"});
}

}  // namespace
