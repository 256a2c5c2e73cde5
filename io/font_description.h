// The stored form of the program's three fonts (section "Fonts": "List", "Printer",
// "EditDlg"): "face,height,weight,italic*256+underline". The shell turns a description into
// a platform font; this side only reads and writes the text.
#ifndef CARTULAN_IO_FONT_DESCRIPTION_H
#define CARTULAN_IO_FONT_DESCRIPTION_H

#include <cstddef>
#include <cstdint>

constexpr int kFaceNameSize = 32;       // the platform's face names: at most 31 characters
constexpr int kFontTextSize = 81;       // a stored description: at most 80 characters
constexpr char kFontSection[] = "Fonts";

struct FontDescription {
    char faceName[kFaceNameSize] = "";
    int32_t height = 0;   // negative: character height in logical units
    int32_t weight = 0;   // 400 normal, 700 bold
    int32_t italic = 0;   // 0 or 1
    int32_t underline = 0;
};

// Parses a stored text. Returns false (and leaves `font` alone) for an empty or malformed
// text; a face name longer than 31 characters is cut.
bool ParseFontText(const char* text, FontDescription& font);

// The stored text of `font` into `out`. Returns the length, or -1 when it does not fit.
int FormatFontText(const FontDescription& font, char* out, std::size_t outSize);

// Reads the font stored under `key` of "Fonts". False when none is stored (or it is
// malformed): the shell then uses the system font.
bool ReadFontSetting(const char* key, FontDescription& font);
// Stores `font` under `key` of "Fonts". Returns cartio's result (0 on success).
int WriteFontSetting(const char* key, const FontDescription& font);

#endif
