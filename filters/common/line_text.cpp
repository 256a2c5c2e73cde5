#include "filters/common/line_text.h"

bool ReadNextLine(LineFile* file, char* line)
{
    int endFlag = 1;
    ReadLine(file, line, &endFlag);
    return endFlag == 0;
}

std::string_view TextFrom(std::string_view line, size_t start, std::string_view skipped)
{
    if (start >= line.size())
        return {};
    std::string_view text = line.substr(start);
    size_t first = text.find_first_not_of(skipped);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}
