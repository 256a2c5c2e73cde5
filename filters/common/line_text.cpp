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

std::string_view TextFrom(std::string_view line, size_t start, std::string_view skipped)
{
    if (start >= line.size())
        return {};
    std::string_view text = line.substr(start);
    size_t first = text.find_first_not_of(skipped);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

bool IsBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}
