#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "cartio.h"

namespace {

std::atomic<int> g_dirCount{0};

}  // namespace

TempDir::TempDir()
{
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root = base / ("cartio-test-" + std::to_string(stamp) + "-" + std::to_string(g_dirCount++));
        if (std::filesystem::create_directory(root))
            break;
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string TempDir::Path(const std::string& name) const
{
    return (root / name).string();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<LineRead> ReadAllLines(const std::string& path, int bufferSize, int lineSize)
{
    std::vector<LineRead> lines;
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(bufferSize) + 1]);
    LineFile file;
    EXPECT_EQ(OpenLineFile(&file, path.c_str(), kLineFileRead, buffer.get(), bufferSize), 0);
    size_t lineBytes = lineSize > 0 ? static_cast<size_t>(lineSize) : static_cast<size_t>(GetBufSz());
    std::unique_ptr<char[]> line(new char[lineBytes]);
    const std::string untouched = "untouched";
    size_t limit = std::filesystem::file_size(path) + 2;
    for (;;) {
        memcpy(line.get(), untouched.c_str(), std::min(lineBytes, untouched.size() + 1));
        line[lineBytes - 1] = '\0';
        const std::string before = line.get();
        int endFlag = -1;
        int result = lineSize > 0 ? ReadLineLimited(&file, line.get(), lineSize, &endFlag)
                                  : ReadLine(&file, line.get(), &endFlag);
        if (endFlag == 1) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(before, line.get()) << "the end of the file changed the line buffer";
            break;
        }
        EXPECT_EQ(endFlag, 0);
        lines.push_back({line.get(), result});
        if (lines.size() > limit) {
            ADD_FAILURE() << "no end of file after " << limit << " lines";
            break;
        }
    }
    EXPECT_EQ(CloseLineFile(&file), 0);
    return lines;
}
