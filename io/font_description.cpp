#include "io/font_description.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cartio.h"

namespace {

// Reads a decimal integer at *text and moves past it; false when there is none.
bool TakeInt(const char*& text, int32_t& value)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || number < INT32_MIN || number > INT32_MAX) return false;
    value = static_cast<int32_t>(number);
    text = end;
    return true;
}

}  // namespace

bool ParseFontText(const char* text, FontDescription& font)
{
    if (text == nullptr) return false;
    const char* comma = std::strchr(text, ',');
    if (comma == nullptr || comma == text) return false;
    FontDescription parsed;
    const std::size_t faceLength =
        std::min<std::size_t>(static_cast<std::size_t>(comma - text), kFaceNameSize - 1);
    std::memcpy(parsed.faceName, text, faceLength);
    parsed.faceName[faceLength] = '\0';
    const char* rest = comma + 1;
    int32_t styles = 0;
    if (!TakeInt(rest, parsed.height) || *rest++ != ',' || !TakeInt(rest, parsed.weight) ||
        *rest++ != ',' || !TakeInt(rest, styles))
        return false;
    parsed.underline = styles & 0xFF;
    parsed.italic = (styles >> 8) & 0xFF;
    font = parsed;
    return true;
}

int FormatFontText(const FontDescription& font, char* out, std::size_t outSize)
{
    const int length = std::snprintf(out, outSize, "%s,%d,%d,%d", font.faceName, font.height,
                                     font.weight, font.italic * 256 + font.underline);
    return length >= 0 && static_cast<std::size_t>(length) < outSize ? length : -1;
}

bool ReadFontSetting(const char* key, FontDescription& font)
{
    char text[kFontTextSize] = "";
    GetConfigStr(text, sizeof text, kFontSection, key, "");
    return ParseFontText(text, font);
}

int WriteFontSetting(const char* key, const FontDescription& font)
{
    char text[kFontTextSize];
    if (FormatFontText(font, text, sizeof text) < 0) return -1;
    return SetConfigStr(kFontSection, key, text);
}
