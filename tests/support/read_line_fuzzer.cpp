// ReadLine over arbitrary bytes with arbitrary file and line buffer sizes, checked against a
// plain splitting of the same bytes. Input: two bytes of file buffer size, two of line buffer
// size (0xFFFF: ReadLine with GetBufSz()), then the file.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cartio.h"

namespace {

constexpr int kLineBufferSizeForReadLine = 97;
constexpr size_t kMaxBufferSize = 4096;

struct Delivery {
    std::string text;
    int result;
};

void Check(bool condition, const char* what)
{
    if (!condition) {
        fprintf(stderr, "ReadLine fault: %s\n", what);
        abort();
    }
}

// The next line end at or after pos: its start and the position behind it; for LF, CRs and LF,
// or one lone CR. Without one, both are the end of the bytes.
void FindLineEnd(const std::string& bytes, size_t pos, size_t* start, size_t* after, int* crLf)
{
    *start = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
    const size_t lf = bytes.find_first_not_of('\r', *start);
    *crLf = *start < bytes.size() && bytes[*start] == '\r' && lf < bytes.size() && bytes[lf] == '\n';
    *after = *crLf ? lf + 1 : std::min(*start + 1, bytes.size());
}

std::vector<Delivery> ExpectedLines(const std::string& bytes, size_t capacity)
{
    std::vector<Delivery> lines;
    for (size_t pos = 0; pos < bytes.size();) {
        size_t start;
        size_t after;
        int crLf;
        FindLineEnd(bytes, pos, &start, &after, &crLf);
        std::string content = bytes.substr(pos, start - pos);
        for (; content.size() > capacity; content.erase(0, capacity))
            lines.push_back({content.substr(0, capacity), 0});
        lines.push_back({content, crLf});
        pos = after;
    }
    return lines;
}

// Texts are compared as C strings: a zero byte in the file ends the text a caller sees.
std::string AsCString(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

int SizeFrom(const uint8_t* data)
{
    return 2 + static_cast<int>((data[0] | data[1] << 8) % (kMaxBufferSize - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    SetBufSz(kLineBufferSizeForReadLine);
    const int bufferSize = SizeFrom(data);
    const bool throughReadLine = data[2] == 0xFF && data[3] == 0xFF;
    const int lineSize = throughReadLine ? GetBufSz() : SizeFrom(data + 2);
    const std::string bytes(reinterpret_cast<const char*>(data) + 4, size - 4);

    // Written anew for every input and removed as soon as the LineFile has it open.
    static const std::string path = "/tmp/cartio-fuzz-" + std::to_string(getpid());
    FILE* out = fopen(path.c_str(), "wb");
    Check(out != nullptr && fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size(),
          "cannot write the scratch file");
    fclose(out);

    // Exact sizes, so that the sanitizer sees any byte written past either buffer.
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(bufferSize) + 1]);
    std::unique_ptr<char[]> line(new char[static_cast<size_t>(lineSize)]);
    LineFile file;
    Check(OpenLineFile(&file, path.c_str(), kLineFileRead, buffer.get(), bufferSize) == 0,
          "cannot open the scratch file");
    unlink(path.c_str());
    const std::vector<Delivery> expected =
        ExpectedLines(bytes, static_cast<size_t>(std::min(bufferSize, lineSize) - 1));
    for (size_t i = 0;; ++i) {
        memcpy(line.get(), "#", 2);
        int endFlag = -1;
        int result = throughReadLine ? ReadLine(&file, line.get(), &endFlag)
                                     : ReadLineLimited(&file, line.get(), lineSize, &endFlag);
        if (endFlag == 1) {
            Check(i == expected.size(), "the end came early");
            Check(result == 0 && strcmp(line.get(), "#") == 0, "the end changed the line");
            break;
        }
        Check(endFlag == 0, "end flag neither 0 nor 1");
        Check(i < expected.size(), "more lines than the file holds");
        Check(line.get() == AsCString(expected[i].text), "wrong line text");
        Check(result == expected[i].result, "wrong result");
    }
    Check(CloseLineFile(&file) == 0, "reading reported an error");
    return 0;
}
