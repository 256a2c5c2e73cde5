#include "filters/common/line_text.h"

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

// A plain loop: the sets are a few bytes, and this runs for every line of a file.
bool IsOneOf(char c, std::string_view set)
{
    for (char member : set) {
        if (c == member)
            return true;
    }
    return false;
}

}  // namespace

std::string_view TextFrom(std::string_view line, size_t start, std::string_view skipped)
{
    while (start < line.size() && IsOneOf(line[start], skipped))
        ++start;
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
