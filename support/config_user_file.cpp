// The per-user store where there is no registry: one settings file, named by CARTULAN_CONFIG
// when that is set, else "cartulan/settings" in the user's configuration directory. It is read
// whole by every call and replaced whole by every change.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config_backend.h"
#include "settings_file.h"

struct UserSection {
    SettingsSection section;
};

namespace {

std::string HomeDirectory()
{
    const char* home = getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return home;
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::string StorePath()
{
    const char* path = getenv("CARTULAN_CONFIG");
    if (path != nullptr && path[0] != '\0')
        return path;
    const char* configHome = getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/')
        return std::string(configHome) + "/cartulan/settings";
    std::string home = HomeDirectory();
    return home.empty() ? std::string() : home + "/.config/cartulan/settings";
}

// The directories above the file, created when missing; a failure shows when the file is saved.
void MakeParentDirectories(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
}

// A section "a\b" lies below "a", as registry keys do.
bool InTree(const std::string& name, const char* section)
{
    size_t length = strlen(section);
    return name.size() >= length && SameName(name.substr(0, length), section)
        && (name.size() == length || name[length] == '\\');
}

int Load(std::string* path, SettingsFile* file)
{
    *path = StorePath();
    return path->empty() ? ENOENT : LoadSettings(*path, SettingsStyle::kStore, file);
}

int Save(const std::string& path, const SettingsFile& file)
{
    MakeParentDirectories(path);
    return SaveSettings(path, file, SettingsStyle::kStore);
}

}  // namespace

bool UserStoreIsDefault()
{
    return true;
}

UserSection* OpenUserSection(const char* section)
{
    std::string path;
    SettingsFile file;
    if (Load(&path, &file) != 0)
        return nullptr;
    SettingsSection* found = FindSection(file, section);
    return found != nullptr ? new UserSection{std::move(*found)} : nullptr;
}

void CloseUserSection(UserSection* open)
{
    delete open;
}

bool ReadUserValue(UserSection* open, const char* key, char* buffer, int limit)
{
    const SettingsValue* value = FindValue(open->section, key);
    if (value == nullptr || value->text.size() + 1 > static_cast<size_t>(limit))
        return false;
    memcpy(buffer, value->text.c_str(), value->text.size() + 1);
    return true;
}

NameResult UserValueName(UserSection* open, int index, char* buffer, int limit)
{
    if (index < 0 || static_cast<size_t>(index) >= open->section.values.size())
        return NameResult::kNoMore;
    const std::string& key = open->section.values[static_cast<size_t>(index)].key;
    if (key.size() + 1 > static_cast<size_t>(limit))
        return NameResult::kTooLong;
    memcpy(buffer, key.c_str(), key.size() + 1);
    return NameResult::kStored;
}

// Deleting a value that is not there reports ENOENT and leaves the file alone; so does storing
// the text a value already holds, which spares the disk at exit, when every setting is saved.
int WriteUserValue(const char* section, const char* key, const char* text)
{
    std::string path;
    SettingsFile file;
    int error = Load(&path, &file);
    if (error != 0)
        return error;
    SettingsSection& target = ProvideSection(file, section);
    SettingsValue* value = FindValue(target, key);
    if (text == nullptr) {
        if (value == nullptr)
            return ENOENT;
        target.values.erase(target.values.begin() + (value - target.values.data()));
    } else if (value == nullptr) {
        target.values.push_back({key, text});
    } else if (value->text == text) {
        return 0;
    } else {
        value->text = text;
    }
    return Save(path, file);
}

int DeleteUserSection(const char* section)
{
    std::string path;
    SettingsFile file;
    int error = Load(&path, &file);
    if (error != 0)
        return error;
    auto& sections = file.sections;
    auto kept = std::remove_if(sections.begin(), sections.end(),
                               [section](const SettingsSection& s) { return InTree(s.name, section); });
    if (kept == sections.end())
        return ENOENT;
    sections.erase(kept, sections.end());
    return Save(path, file);
}
