// Reading and writing settings files (see settings_file.h); used where there is no registry.
#include "settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const char kStoreHead[] = "# Cartulan settings\n";
const char kSectionMarks[] = "]";
const char kKeyMarks[] = "=[#";

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = LowerAscii(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string Escape(const std::string& text, const char* marks)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F || strchr(marks, c) != nullptr) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

// The byte of the escape \xHH at text[i], or -1 when there is none there. A zero byte does not
// decode, since texts end at their first zero.
int HexEscapeAt(const std::string& text, size_t i)
{
    if (i + 3 >= text.size() || text[i] != '\\' || text[i + 1] != 'x')
        return -1;
    int high = HexDigit(text[i + 2]);
    int low = HexDigit(text[i + 3]);
    return high < 0 || low < 0 || (high | low) == 0 ? -1 : high * 16 + low;
}

// An escape that does not decode stays as it stands.
std::string Unescape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        int byte = HexEscapeAt(text, i);
        if (byte >= 0) {
            out += static_cast<char>(byte);
            i += 3;
        } else if (text.compare(i, 2, "\\\\") == 0) {
            out += '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Decode(const std::string& text, SettingsStyle style)
{
    return style == SettingsStyle::kStore ? Unescape(text) : Trim(text);
}

std::string Encode(const std::string& text, const char* marks, SettingsStyle style)
{
    return style == SettingsStyle::kStore ? Escape(text, marks) : text;
}

int ErrorCode()
{
    return errno != 0 ? errno : EIO;
}

int WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return ErrorCode();
        done += static_cast<size_t>(written);
    }
    return 0;
}

// A symbolic link is followed, so that the file it names is replaced and the link stays.
std::string RealTarget(const std::string& path)
{
    std::unique_ptr<char, decltype(&free)> real(realpath(path.c_str(), nullptr), &free);
    return real ? std::string(real.get()) : path;
}

}  // namespace

bool SameName(const std::string& name, const char* other)
{
    size_t length = strlen(other);
    if (name.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (LowerAscii(name[i]) != LowerAscii(other[i]))
            return false;
    }
    return true;
}

SettingsSection* FindSection(SettingsFile& file, const char* name)
{
    for (SettingsSection& section : file.sections) {
        if (SameName(section.name, name))
            return &section;
    }
    return nullptr;
}

SettingsValue* FindValue(SettingsSection& section, const char* key)
{
    for (SettingsValue& value : section.values) {
        if (SameName(value.key, key))
            return &value;
    }
    return nullptr;
}

SettingsSection& ProvideSection(SettingsFile& file, const char* name)
{
    if (SettingsSection* found = FindSection(file, name))
        return *found;
    file.sections.push_back(SettingsSection{name, {}});
    return file.sections.back();
}

SettingsFile ParseSettings(const std::string& text, SettingsStyle style)
{
    SettingsFile file;
    SettingsSection* current = nullptr;
    const char comment = style == SettingsStyle::kStore ? '#' : ';';
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (style == SettingsStyle::kIni)
            line = Trim(line);
        if (line.empty() || line[0] == comment)
            continue;
        if (line[0] == '[') {
            size_t close = line.rfind(']');
            current = close == std::string::npos
                ? nullptr
                : &ProvideSection(file, Decode(line.substr(1, close - 1), style).c_str());
            continue;
        }
        size_t equals = line.find('=');
        if (current == nullptr || equals == std::string::npos)
            continue;
        std::string key = Decode(line.substr(0, equals), style);
        if (FindValue(*current, key.c_str()) == nullptr)
            current->values.push_back({key, Decode(line.substr(equals + 1), style)});
    }
    return file;
}

std::string FormatSettings(const SettingsFile& file, SettingsStyle style)
{
    const char* lineEnd = style == SettingsStyle::kStore ? "\n" : "\r\n";
    std::string out = style == SettingsStyle::kStore ? kStoreHead : "";
    bool first = true;
    for (const SettingsSection& section : file.sections) {
        if (!first)
            out += lineEnd;
        first = false;
        out += "[" + Encode(section.name, kSectionMarks, style) + "]" + lineEnd;
        for (const SettingsValue& value : section.values)
            out += Encode(value.key, kKeyMarks, style) + "=" + Encode(value.text, "", style)
                + lineEnd;
    }
    return out;
}

int LoadSettings(const std::string& path, SettingsStyle style, SettingsFile* file)
{
    *file = SettingsFile();
    errno = 0;
    FILE* stream = fopen(path.c_str(), "rb");
    if (stream == nullptr)
        return errno == ENOENT ? 0 : ErrorCode();
    std::string text;
    char chunk[8192];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, stream)) > 0)
        text.append(chunk, got);
    int error = ferror(stream) ? ErrorCode() : 0;
    fclose(stream);
    if (error == 0)
        *file = ParseSettings(text, style);
    return error;
}

int SaveSettings(const std::string& path, const SettingsFile& file, SettingsStyle style)
{
    std::string target = RealTarget(path);
    std::string temporary = target + ".XXXXXX";
    int fd = mkstemp(&temporary[0]);
    if (fd < 0)
        return ErrorCode();
    // The new file keeps the permissions of the one it replaces.
    struct stat old;
    if (stat(target.c_str(), &old) == 0)
        fchmod(fd, old.st_mode & 07777);
    int error = WriteAll(fd, FormatSettings(file, style));
    if (error == 0 && fsync(fd) != 0)
        error = ErrorCode();
    if (close(fd) != 0 && error == 0)
        error = ErrorCode();
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0)
        error = ErrorCode();
    if (error != 0)
        unlink(temporary.c_str());
    return error;
}
