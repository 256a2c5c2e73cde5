#include "filters/common/utf8_out.h"

#include <iterator>

namespace {

// 0x80-0x9F; the rest of the upper half is Latin-1.
constexpr unsigned short kUpper1252[] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
static_assert(std::size(kUpper1252) == 32);

}  // namespace

unsigned UnicodeOf1252(unsigned char c)
{
    return c >= 0x80 && c < 0xA0 ? kUpper1252[c - 0x80] : c;
}

void AppendUtf8(std::string& out, unsigned character)
{
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (character >> 18));
        out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

void Append1252AsUtf8(std::string& out, std::string_view text)
{
    size_t done = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80)
            continue;
        out.append(text.data() + done, i - done);
        AppendUtf8(out, UnicodeOf1252(c));
        done = i + 1;
    }
    out.append(text.data() + done, text.size() - done);
}
