// INI files where the platform has no private-profile functions, read and written in the
// plain INI form.
#include <cstring>
#include <string>

#include "config_backend.h"
#include "settings_file.h"

namespace {

// A name or text that the INI form cannot hold: a line break anywhere, or the character that
// ends the name.
bool FitsIniLine(const char* text, const char* ends)
{
    return strpbrk(text, "\r\n") == nullptr && strpbrk(text, ends) == nullptr;
}

// The names list, cut as the platform cuts it when the buffer is short: the last name cut off,
// followed by two zeros.
int CopyNames(char* buffer, int size, const std::string& names)
{
    size_t length = names.size();
    if (length + 1 > static_cast<size_t>(size))
        length = size >= 2 ? static_cast<size_t>(size - 2) : 0;
    memcpy(buffer, names.data(), length);
    buffer[length] = '\0';
    if (length + 1 < static_cast<size_t>(size))
        buffer[length + 1] = '\0';
    return static_cast<int>(length);
}

const SettingsValue* FindIniValue(SettingsFile& file, const char* section, const char* key)
{
    SettingsSection* found = FindSection(file, section);
    return found != nullptr ? FindValue(*found, key) : nullptr;
}

}  // namespace

int ReadIniInt(const char* path, const char* section, const char* key, int defaultValue)
{
    SettingsFile file;
    LoadSettings(path, SettingsStyle::kIni, &file);
    const SettingsValue* value = FindIniValue(file, section, key);
    return value != nullptr && !value->text.empty() ? ParseConfigInt(value->text.c_str())
                                                     : defaultValue;
}

int ReadIniString(const char* path, const char* section, const char* key,
                  const char* defaultText, char* buffer, int size)
{
    SettingsFile file;
    LoadSettings(path, SettingsStyle::kIni, &file);
    if (key != nullptr) {
        const SettingsValue* value = FindIniValue(file, section, key);
        return CopyCut(buffer, size, value != nullptr ? value->text.c_str() : defaultText);
    }
    std::string names;
    if (SettingsSection* found = FindSection(file, section)) {
        for (const SettingsValue& value : found->values)
            names += value.key + '\0';
    }
    return names.empty() ? CopyCut(buffer, size, defaultText) : CopyNames(buffer, size, names);
}

int WriteIniString(const char* path, const char* section, const char* key, const char* text)
{
    if (!FitsIniLine(section, "]") || (key != nullptr && !FitsIniLine(key, "="))
        || (text != nullptr && !FitsIniLine(text, "")))
        return -1;
    SettingsFile file;
    int error = LoadSettings(path, SettingsStyle::kIni, &file);
    if (error != 0)
        return error;
    SettingsSection* target = FindSection(file, section);
    if (key == nullptr) {
        if (target == nullptr)
            return 0;
        file.sections.erase(file.sections.begin() + (target - file.sections.data()));
    } else if (text == nullptr) {
        SettingsValue* value = target != nullptr ? FindValue(*target, key) : nullptr;
        if (value == nullptr)
            return 0;
        target->values.erase(target->values.begin() + (value - target->values.data()));
    } else {
        SettingsSection& provided = ProvideSection(file, section);
        if (SettingsValue* value = FindValue(provided, key))
            value->text = text;
        else
            provided.values.push_back({key, text});
    }
    return SaveSettings(path, file, SettingsStyle::kIni);
}
