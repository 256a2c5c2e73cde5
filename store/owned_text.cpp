#include "store/owned_text.h"

#include <cstdlib>
#include <cstring>

char* CopyText(const char* text)
{
    if (text == nullptr) return nullptr;
    const std::size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy != nullptr) std::memcpy(copy, text, size);
    return copy;
}

int ReplaceText(char** slot, const char* text)
{
    char* copy = CopyText(text);
    if (text != nullptr && copy == nullptr) return 0;
    std::free(*slot);
    *slot = copy;
    return 1;
}

void FreeText(char** slot)
{
    std::free(*slot);
    *slot = nullptr;
}
