#include "filters/common/text_edit.h"

#include <cstring>


void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    size_t at = text.find(from);
    if (at == std::string::npos)
        return;
    if (from.size() == to.size()) {
        for (; at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to.data(), to.size());
        return;
    }
    std::string result;
    result.reserve(text.size());
    size_t done = 0;
    for (; at != std::string::npos; at = text.find(from, done)) {
        result.append(text, done, at - done);
        result.append(to.data(), to.size());
        done = at + from.size();
    }
    result.append(text, done, std::string::npos);
    text.swap(result);
}

void ReplaceByte(std::string& text, char from, char to)
{
    for (char* at = static_cast<char*>(std::memchr(text.data(), from, text.size()));
         at != nullptr;
         at = static_cast<char*>(std::memchr(at + 1, from, text.size() - (at + 1 - text.data()))))
        *at = to;
}
