// WriteLine and vMMIOprintf: text appended to a LineFile's buffer, which goes to the file each
// time it overflows. The dirty flag is set only on that overflow path: the owner marks the
// buffer dirty itself when what is left in it at the end is to be kept.
#include "cartio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "byte_scan.h"
#include "text_encoding.h"

namespace {

// Shared by every module of the process, like the buffer size value.
constexpr int kFormatBufferSize = 32768;
char g_formatBuffer[kFormatBufferSize];

int FlushFull(LineFile* file)
{
    file->flags |= kLineFileDirty;
    return AdvanceLineFile(file, kLineFileWrite);
}

size_t Room(const LineFile* file)
{
    return file->endWrite > file->next ? static_cast<size_t>(file->endWrite - file->next) : 0;
}

// A text that fits the room left exactly is stored without a flush; the zero behind it lands
// in the spare byte behind the buffer and is overwritten by the next write.
int AppendBytes(LineFile* file, const char* text, size_t count)
{
    if (count > Room(file)) {
        int error = FlushFull(file);
        if (error != 0)
            return error;
        // Texts longer than the whole buffer go through it in buffer-sized parts.
        while (count > Room(file)) {
            size_t part = Room(file);
            memcpy(file->next, text, part);
            file->next += part;
            text += part;
            count -= part;
            error = FlushFull(file);
            if (error != 0)
                return error;
        }
    }
    memcpy(file->next, text, count);
    file->next[count] = '\0';
    file->next += count;
    return 0;
}

// Code page 1252 text as UTF-8: runs of plain ASCII go as they are, every other byte as the
// UTF-8 of its character, and an escape as the character it names.
int AppendAsUtf8(LineFile* file, const char* text, size_t count)
{
    const char* end = text + count;
    while (text < end) {
        // Bytes above 127 and escapes need converting.
        const char* plain = FindHighByteOr(text, end, '{');
        int error = AppendBytes(file, text, static_cast<size_t>(plain - text));
        if (error != 0 || plain == end)
            return error;
        uint32_t character;
        size_t used = *plain == '{' ? ReadEscape(plain, end, character) : 0;
        if (used == 0) {
            character = CharacterOf1252(static_cast<unsigned char>(*plain));
            used = 1;
        }
        char bytes[kMaxUtf8Length];
        error = AppendBytes(file, bytes, EncodeUtf8(character, bytes));
        if (error != 0)
            return error;
        text = plain + used;
    }
    return 0;
}

int AppendText(LineFile* file, const char* text, size_t count)
{
    return (file->flags & kLineFileUtf8) ? AppendAsUtf8(file, text, count)
                                         : AppendBytes(file, text, count);
}

// Formats of plain text, "%%" and "%s" only, which is what the filters write with, are put
// together here: the C library's formatter would cost more than all the rest of a save.
// Returns the length, or -1 when the format needs the full formatter or the result does not
// fit size bytes.
int FormatPlainStrings(char* out, size_t size, const char* format, va_list args)
{
    for (const char* mark = strchr(format, '%'); mark != nullptr; mark = strchr(mark + 2, '%')) {
        if (mark[1] != 's' && mark[1] != '%')
            return -1;
    }
    size_t used = 0;
    for (const char* p = format; *p != '\0';) {
        const char* piece = p;
        size_t length;
        if (p[0] == '%' && p[1] == 's') {
            piece = va_arg(args, const char*);
            if (piece == nullptr)
                piece = "(null)";
            length = strlen(piece);
            p += 2;
        } else if (p[0] == '%') {
            length = 1;
            p += 2;
        } else {
            const char* mark = strchr(p, '%');
            length = mark != nullptr ? static_cast<size_t>(mark - p) : strlen(p);
            p += length;
        }
        if (length >= size - used)
            return -1;
        memcpy(out + used, piece, length);
        used += length;
    }
    out[used] = '\0';
    return static_cast<int>(used);
}

bool CanWrite(const LineFile* file)
{
    return file != nullptr && file->handle != nullptr && file->bufferSize > 0
        && (file->flags & kLineFileWriting) != 0;
}

}  // namespace

extern "C" int CARTIO_CALL WriteLine(LineFile* file, const char* text)
{
    if (file == nullptr || text == nullptr)
        return -1;
    if (!CanWrite(file))
        return EBADF;
    return AppendText(file, text, strlen(text));
}

extern "C" int CARTIO_CALL vMMIOprintf(LineFile* file, const char* format, va_list args)
{
    if (file == nullptr || format == nullptr)
        return -1;
    const char* text = g_formatBuffer;
    std::vector<char> longText;
    va_list copy;
    va_copy(copy, args);
    int count = FormatPlainStrings(g_formatBuffer, sizeof g_formatBuffer, format, copy);
    va_end(copy);
    if (count < 0) {
        va_copy(copy, args);
        count = vsnprintf(g_formatBuffer, sizeof g_formatBuffer, format, copy);
        va_end(copy);
        // A result too long for the format buffer is formatted again at its full length
        // rather than cut short.
        if (count >= kFormatBufferSize) {
            longText.resize(static_cast<size_t>(count) + 1);
            vsnprintf(longText.data(), longText.size(), format, args);
            text = longText.data();
        }
    }
    if (count <= 0)
        return count < 0 ? -1 : 0;
    if (!CanWrite(file))
        return -1;
    return AppendText(file, text, static_cast<size_t>(count)) == 0 ? count : -1;
}
