// The line files of cartio: ReadLine and its kin, WriteLine and vMMIOprintf.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cartio.h"
#include "test_files.h"

namespace {

constexpr int kBufferSize = 32768;

// A LineFile open for writing over a buffer of its own, with the spare byte behind it.
struct WrittenFile {
    WrittenFile(const std::string& path, int bufferSize, int mode = kLineFileWrite)
        : buffer(bufferSize + 1)
    {
        EXPECT_EQ(OpenLineFile(&file, path.c_str(), mode, buffer.data(), bufferSize), 0);
    }

    // As the owner does after the last write it wants kept.
    int Close()
    {
        file.flags |= kLineFileDirty;
        return CloseLineFile(&file);
    }

    std::vector<char> buffer;
    LineFile file;
};

int Printf(LineFile* file, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int count = vMMIOprintf(file, format, args);
    va_end(args);
    return count;
}

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
    EXPECT_NE(WriteLine(&file, "no"), 0) << "not open for writing";
    EXPECT_EQ(Printf(&file, "%s", "no"), -1);
    EXPECT_EQ(CloseLineFile(&file), 0);
    EXPECT_EQ(ReadBytes(dir.Path("one.txt")), "one\r\n");
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


// The owner flushes what is left by marking the buffer dirty; without that the tail stays out.
// A text that fits the room left exactly is kept without a flush.
TEST(WriteLine, AppendsTextsAndFlushesOnlyWhenATextDoesNotFitTheRoomLeft)
{
    TempDir dir;
    WrittenFile out(dir.Path("out.ref"), kBufferSize);
    EXPECT_EQ(WriteLine(&out.file, "%A Miller, J.\r\n"), 0);
    EXPECT_EQ(WriteLine(&out.file, ""), 0);
    EXPECT_EQ(WriteLine(&out.file, nullptr), -1);
    EXPECT_EQ(Printf(&out.file, nullptr), -1);
    EXPECT_EQ(Printf(&out.file, "%s", ""), 0);
    EXPECT_EQ(Printf(&out.file, "%%T %s\r\n", "A title"), 12);
    EXPECT_EQ(Printf(&out.file, "%%D %d\r\n\r\n", 1994), 11);
    EXPECT_EQ(out.Close(), 0);
    EXPECT_EQ(ReadBytes(dir.Path("out.ref")), "%A Miller, J.\r\n%T A title\r\n%D 1994\r\n\r\n");

    WrittenFile room(dir.Path("room.txt"), 16);
    EXPECT_EQ(WriteLine(&room.file, "0123456789"), 0);
    EXPECT_EQ(WriteLine(&room.file, "abcdef"), 0) << "exactly the room left";
    EXPECT_EQ(room.file.next, room.file.endWrite);
    EXPECT_EQ(std::filesystem::file_size(dir.Path("room.txt")), 0u);
    EXPECT_EQ(WriteLine(&room.file, "X"), 0) << "one byte more than the room";
    EXPECT_EQ(std::filesystem::file_size(dir.Path("room.txt")), 16u);
    EXPECT_FALSE(room.file.flags & kLineFileDirty) << "only an overflow sets the dirty flag";
    EXPECT_EQ(room.file.next, room.file.bufferStart + 1);
    EXPECT_EQ(CloseLineFile(&room.file), 0);
    EXPECT_EQ(ReadBytes(dir.Path("room.txt")), "0123456789abcdef");
}

TEST(WriteLine, WritesTextsLongerThanTheBufferWhole)
{
    TempDir dir;
    std::string longText;
    for (int i = 0; longText.size() < 100000; ++i)
        longText += std::to_string(i) + " ";
    WrittenFile out(dir.Path("long.txt"), 1000);
    EXPECT_EQ(WriteLine(&out.file, "head "), 0);
    EXPECT_EQ(WriteLine(&out.file, longText.c_str()), 0);
    EXPECT_EQ(Printf(&out.file, "%s|%s", longText.c_str(), "tail"), int(longText.size() + 5));
    EXPECT_EQ(out.Close(), 0);
    EXPECT_EQ(ReadBytes(dir.Path("long.txt")), "head " + longText + longText + "|tail");
}

TEST(vMMIOprintf, FormatsAsTheCLibraryDoes)
{
    for (const char* format : {"100%% %s", "%s|%5s|%-4s|", "%.2s and %s", "%s\t%s", "%%%%"}) {
        SCOPED_TRACE(format);
        char expected[256];
        const int expectedCount = snprintf(expected, sizeof expected, format, "abc", "d", "z");
        TempDir dir;
        WrittenFile out(dir.Path("formatted.txt"), 64);
        EXPECT_EQ(Printf(&out.file, format, "abc", "d", "z"), expectedCount);
        EXPECT_EQ(out.Close(), 0);
        EXPECT_EQ(ReadBytes(dir.Path("formatted.txt")), expected);
    }
}

// A stream open only for reading stands in for a device that refuses every write.
void BreakWrites(LineFile* file, const std::string& readablePath)
{
    fclose(static_cast<FILE*>(file->handle));
    file->handle = fopen(readablePath.c_str(), "rb");
    ASSERT_NE(file->handle, nullptr);
}

TEST(WriteLine, ReportsAFailedWriteAndRemembersItUntilTheClose)
{
    TempDir dir;
    WriteBytes(dir.Path("readonly.txt"), "");
    WrittenFile out(dir.Path("broken.txt"), 8);
    BreakWrites(&out.file, dir.Path("readonly.txt"));
    EXPECT_EQ(WriteLine(&out.file, "1234"), 0) << "fits the buffer: nothing written yet";
    int error = WriteLine(&out.file, "56789");
    EXPECT_GT(error, 0);
    EXPECT_EQ(out.file.error, error);
    EXPECT_EQ(Printf(&out.file, "%s", "more than eight"), -1);
    EXPECT_EQ(WriteLine(&out.file, "again, too long"), error);
    EXPECT_EQ(out.Close(), error);

    WrittenFile tail(dir.Path("tail.txt"), 16);
    BreakWrites(&tail.file, dir.Path("readonly.txt"));
    EXPECT_EQ(WriteLine(&tail.file, "tail"), 0);
    EXPECT_GT(tail.Close(), 0) << "the final flush failed";
}

TEST(WriteLine, WritesUtf8WithEscapesAsTheirCharactersAndReadsBackTheSameText)
{
    struct Utf8Case {
        const char* text;
        const char* written;
    };
    const Utf8Case cases[] = {
        {"Caf\xE9 \x80 \x81", "Caf\xC3\xA9 \xE2\x82\xAC \xC2\x81"},
        {"{U+0151}{U+1F600}", "\xC5\x91\xF0\x9F\x98\x80"},
        // Only the form reading gives, for a character the code page lacks, is an escape.
        {"{U+00E9} {U+151} {u+0151} {U+0151 {U+D800} {U+01F600} {U+110000}",
         "{U+00E9} {U+151} {u+0151} {U+0151 {U+D800} {U+01F600} {U+110000}"},
    };
    TempDir dir;
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.text);
        WrittenFile out(dir.Path("utf8.txt"), 8, kLineFileWriteUtf8);
        EXPECT_EQ(WriteLine(&out.file, c.text), 0);
        EXPECT_EQ(out.Close(), 0);
        EXPECT_EQ(ReadBytes(dir.Path("utf8.txt")), c.written);
    }
    WrittenFile marked(dir.Path("marked.txt"), 8, kLineFileWriteUtf8Marked);
    EXPECT_EQ(Printf(&marked.file, "%%T %s\r\n", "\xE9"), 6);
    EXPECT_EQ(marked.Close(), 0);
    EXPECT_EQ(ReadBytes(dir.Path("marked.txt")), "\xEF\xBB\xBF%T \xC3\xA9\r\n");

    // Every byte of the code page but the line ends and zero, and escapes, come back from a
    // file written as UTF-8 and read as text.
    std::string text = "{U+0151} {U+10FFFF} ";
    for (int c = 1; c < 256; ++c) {
        if (c != '\r' && c != '\n')
            text += static_cast<char>(c);
    }
    WrittenFile out(dir.Path("all.txt"), 64, kLineFileWriteUtf8);
    EXPECT_EQ(WriteLine(&out.file, (text + "\r\n").c_str()), 0);
    EXPECT_EQ(out.Close(), 0);
    const TextRead read = ReadText(dir.Path("all.txt"), 64, kBufferSize);
    EXPECT_EQ(read.lines, std::vector<std::string>{text});
    EXPECT_EQ(read.unmapped, 2);
}

}  // namespace
