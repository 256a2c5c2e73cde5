// Temporary files for the cartio tests: each test gets a fresh directory, removed afterwards.
#ifndef CARTULAN_TESTS_SUPPORT_TEST_FILES_H
#define CARTULAN_TESTS_SUPPORT_TEST_FILES_H

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const;

    std::filesystem::path root;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// One delivery of ReadLine: the text and the result.
struct LineRead {
    std::string text;
    int result;
    bool operator==(const LineRead& other) const
    {
        return text == other.text && result == other.result;
    }
};

// How GoogleTest shows a LineRead in a failure.
inline void PrintTo(const LineRead& line, std::ostream* out)
{
    *out << "{\"" << line.text << "\", " << line.result << "}";
}

// Reads the whole file through a LineFile with a buffer of bufferSize bytes, every line into a
// line buffer of exactly lineSize bytes (0: through ReadLine into one of GetBufSz() bytes).
// Fails the test when the end of the file is not reported in time, or when the call that
// reports it changes the line buffer.
std::vector<LineRead> ReadAllLines(const std::string& path, int bufferSize, int lineSize);

#endif
