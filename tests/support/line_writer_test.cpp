#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <filesystem>
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

// The owner flushes what is left by marking the buffer dirty; without that the tail stays out.
// A text that fits the room left exactly is kept without a flush.
TEST(WriteLine, AppendsTextsAndFlushesOnlyWhenATextDoesNotFitTheRoomLeft)
{
    TempDir dir;
    WrittenFile out(dir.Path("out.ref"), kBufferSize);
    EXPECT_EQ(WriteLine(&out.file, "%A Miller, J.\r\n"), 0);
    EXPECT_EQ(WriteLine(&out.file, ""), 0);
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

TEST(WriteLine, RefusesNullTextsAndFilesNotOpenForWriting)
{
    TempDir dir;
    WrittenFile out(dir.Path("refused.txt"), 16);
    EXPECT_EQ(WriteLine(&out.file, nullptr), -1);
    EXPECT_EQ(Printf(&out.file, nullptr), -1);
    EXPECT_EQ(Printf(&out.file, "%s", ""), 0);
    EXPECT_EQ(out.file.next, out.file.bufferStart);
    EXPECT_EQ(WriteLine(&out.file, "ab"), 0);
    EXPECT_EQ(out.Close(), 0);
    LineFile file;
    char buffer[17];
    ASSERT_EQ(OpenLineFile(&file, dir.Path("refused.txt").c_str(), kLineFileRead, buffer, 16), 0);
    EXPECT_NE(WriteLine(&file, "no"), 0);
    EXPECT_EQ(Printf(&file, "%s", "no"), -1);
    EXPECT_EQ(CloseLineFile(&file), 0);
    EXPECT_EQ(ReadBytes(dir.Path("refused.txt")), "ab");
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

TEST(WriteLine, WritesUtf8AndTurnsEscapesBackIntoTheirCharacters)
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
}

// Every byte of the code page but the line ends and zero, and escapes, come back from a file
// written as UTF-8 and read as text.
TEST(WriteLine, Utf8WrittenReadsBackAsTheSameText)
{
    std::string text = "{U+0151} {U+10FFFF} ";
    for (int c = 1; c < 256; ++c) {
        if (c != '\r' && c != '\n')
            text += static_cast<char>(c);
    }
    TempDir dir;
    WrittenFile out(dir.Path("all.txt"), 64, kLineFileWriteUtf8);
    EXPECT_EQ(WriteLine(&out.file, (text + "\r\n").c_str()), 0);
    EXPECT_EQ(out.Close(), 0);
    std::vector<char> buffer(kBufferSize + 1);
    std::vector<char> line(kBufferSize);
    LineFile file;
    ASSERT_EQ(OpenLineFile(&file, dir.Path("all.txt").c_str(), kLineFileReadText, buffer.data(),
                           kBufferSize), 0);
    EXPECT_EQ(ReadLinePiece(&file, line.data(), kBufferSize, nullptr), int(text.size()));
    EXPECT_EQ(std::string(line.data()), text);
    EXPECT_EQ(file.unmapped, 2);
    EXPECT_EQ(CloseLineFile(&file), 0);
}

}  // namespace
