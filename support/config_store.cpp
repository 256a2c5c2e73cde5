// The exported configuration functions: argument checks, defaults, the read limit and the
// results, on top of the per-user store or the INI file.
#include "cartio.h"
#include "config_backend.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

namespace {

// The per-user store delivers texts of at most kConfigMaxText characters.
constexpr int kReadLimit = kConfigMaxText + 1;
constexpr int kIniPathSize = 260;

char g_iniPath[kIniPathSize];

bool IsSectionName(const char* section)
{
    return section != nullptr && section[0] != '\0';
}

bool HasIniPath()
{
    return g_iniPath[0] != '\0';
}

int DeliverValue(char* buffer, int size, const char* section, const char* key,
                 const char* defaultText)
{
    UserSection* open = OpenUserSection(section);
    bool found = open != nullptr && ReadUserValue(open, key, buffer, std::min(size, kReadLimit));
    CloseUserSection(open);
    return found ? static_cast<int>(strlen(buffer)) : CopyCut(buffer, size, defaultText);
}

// The value names, each with its zero, then one more zero; names that do not fit are left out.
int DeliverNames(char* buffer, int size, const char* section, const char* defaultText)
{
    int count = 0;
    UserSection* open = OpenUserSection(section);
    if (open != nullptr) {
        char name[kReadLimit];
        size_t used = 0;
        for (int index = 0;; ++index) {
            NameResult result = UserValueName(open, index, name, std::min(size, kReadLimit));
            if (result == NameResult::kNoMore)
                break;
            if (result == NameResult::kTooLong)
                continue;
            size_t length = strlen(name);
            if (used + length + 2 > static_cast<size_t>(size))
                continue;
            memcpy(buffer + used, name, length + 1);
            used += length + 1;
            ++count;
        }
        if (count > 0)
            buffer[used] = '\0';
        CloseUserSection(open);
    }
    if (count == 0)
        CopyCut(buffer, size, defaultText);
    return count;
}

int UserGetStr(char* buffer, int size, const char* section, const char* key,
               const char* defaultText)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    if (!IsSectionName(section)) {
        int length = CopyCut(buffer, size, defaultText);
        return key != nullptr ? length : 0;
    }
    return key != nullptr ? DeliverValue(buffer, size, section, key, defaultText)
                          : DeliverNames(buffer, size, section, defaultText);
}

int UserGetInt(const char* section, const char* key, int defaultValue)
{
    if (key == nullptr)
        return defaultValue;
    char text[kReadLimit + 1];
    if (UserGetStr(text, sizeof text, section, key, "") == 0)
        return defaultValue;
    return ParseConfigInt(text);
}

int UserSetStr(const char* section, const char* key, const char* text)
{
    if (!IsSectionName(section) || key == nullptr)
        return -1;
    return WriteUserValue(section, key, text);
}

int UserDeleteTree(const char* section)
{
    return IsSectionName(section) ? DeleteUserSection(section) : -1;
}

int IniGetStr(char* buffer, int size, const char* section, const char* key,
              const char* defaultText)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    if (!HasIniPath() || !IsSectionName(section))
        return CopyCut(buffer, size, defaultText);
    return ReadIniString(g_iniPath, section, key, defaultText, buffer, size);
}

int IniGetInt(const char* section, const char* key, int defaultValue)
{
    if (!HasIniPath() || !IsSectionName(section) || key == nullptr)
        return defaultValue;
    return ReadIniInt(g_iniPath, section, key, defaultValue);
}

int IniSetStr(const char* section, const char* key, const char* text)
{
    if (!HasIniPath() || !IsSectionName(section) || key == nullptr)
        return -1;
    return WriteIniString(g_iniPath, section, key, text);
}

int IniDeleteTree(const char* section)
{
    if (!HasIniPath() || !IsSectionName(section))
        return -1;
    return WriteIniString(g_iniPath, section, nullptr, nullptr);
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int ParseConfigInt(const char* text)
{
    while (IsSpace(*text))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    // Stops growing one past the int range, so that both ends can be reached.
    long long magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        magnitude = std::min(magnitude * 10 + (*text - '0'), -static_cast<long long>(INT_MIN));
    long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int CopyCut(char* buffer, int size, const char* text)
{
    size_t length = text != nullptr ? std::min(strlen(text), static_cast<size_t>(size - 1)) : 0;
    if (length > 0)
        memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

extern "C" {

int CARTIO_CALL GetConfigInt(const char* section, const char* key, int defaultValue)
{
    return UserStoreIsDefault() ? UserGetInt(section, key, defaultValue)
                                : IniGetInt(section, key, defaultValue);
}

int CARTIO_CALL GetConfigStr(char* buffer, int size, const char* section, const char* key,
                             const char* defaultText)
{
    return UserStoreIsDefault() ? UserGetStr(buffer, size, section, key, defaultText)
                                : IniGetStr(buffer, size, section, key, defaultText);
}

// Integers are stored as their decimal text in both stores.
int CARTIO_CALL SetConfigInt(const char* section, const char* key, int value)
{
    return SetConfigStr(section, key, std::to_string(value).c_str());
}

int CARTIO_CALL SetConfigStr(const char* section, const char* key, const char* text)
{
    return UserStoreIsDefault() ? UserSetStr(section, key, text) : IniSetStr(section, key, text);
}

int CARTIO_CALL DeleteConfigTree(const char* section)
{
    return UserStoreIsDefault() ? UserDeleteTree(section) : IniDeleteTree(section);
}

int CARTIO_CALL GetConfigInt16(const char* section, const char* key, int defaultValue)
{
    return IniGetInt(section, key, defaultValue);
}

int CARTIO_CALL GetConfigStr16(char* buffer, int size, const char* section, const char* key,
                               const char* defaultText)
{
    return IniGetStr(buffer, size, section, key, defaultText);
}

int CARTIO_CALL SetConfigInt16(const char* section, const char* key, int value)
{
    return IniSetStr(section, key, std::to_string(value).c_str());
}

int CARTIO_CALL SetConfigStr16(const char* section, const char* key, const char* text)
{
    return IniSetStr(section, key, text);
}

int CARTIO_CALL DeleteConfigTree16(const char* section)
{
    return IniDeleteTree(section);
}

const char* CARTIO_CALL GetINIFilePath(void)
{
    return g_iniPath;
}

void CARTIO_CALL SetINIFilePath(const char* path)
{
    CopyCut(g_iniPath, kIniPathSize, path);
}

}  // extern "C"
