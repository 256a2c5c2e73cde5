#include "filters/common/line_text.h"

#include <cstdint>

bool ReadWholeLine(LineFile* file, FilterBuffers& buffers, std::string_view& line)
{
    int goesOn = 0;
    int length = ReadLinePiece(file, buffers.line, buffers.lineSize, &goesOn);
    line = {};
    if (length < 0)
        return false;
    if (!goesOn) {
        line = std::string_view(buffers.line, static_cast<size_t>(length));
        return true;
    }
    std::string& whole = buffers.longLine;
    whole.assign(buffers.line, static_cast<size_t>(length));
    while (goesOn && (length = ReadLinePiece(file, buffers.line, buffers.lineSize, &goesOn)) >= 0)
        whole.append(buffers.line, static_cast<size_t>(length));
    line = whole;
    return true;
}

namespace {

// The set as one bit per byte value below 64, where blanks, line ends and the punctuation
// that separates tags lie; a set with other bytes gives no mask.
bool MaskOf(std::string_view set, uint64_t& mask)
{
    mask = 0;
    for (char member : set) {
        const unsigned char byte = static_cast<unsigned char>(member);
        if (byte >= 64)
            return false;
        mask |= uint64_t{1} << byte;
    }
    return true;
}

bool InMask(char c, uint64_t mask)
{
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte < 64 && ((mask >> byte) & 1) != 0;
}

}  // namespace

std::string_view TextFrom(std::string_view line, size_t start, std::string_view skipped)
{
    uint64_t mask;
    if (MaskOf(skipped, mask)) {
        while (start < line.size() && InMask(line[start], mask))
            ++start;
    } else {
        while (start < line.size() && skipped.find(line[start]) != std::string_view::npos)
            ++start;
    }
    return start < line.size() ? line.substr(start) : std::string_view();
}

bool IsBlankLine(std::string_view line)
{
    for (char c : line) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}
