// Text files of sections holding named string values, as the per-user store and INI files are
// kept where there is no registry. Names compare without regard to case, as on Windows.
#ifndef CARTULAN_SUPPORT_SETTINGS_FILE_H
#define CARTULAN_SUPPORT_SETTINGS_FILE_H

#include <string>
#include <vector>

struct SettingsValue {
    std::string key;
    std::string text;
};

struct SettingsSection {
    std::string name;
    std::vector<SettingsValue> values;
};

struct SettingsFile {
    std::vector<SettingsSection> sections;
};

// kStore keeps every byte of names and texts (control characters, backslashes and the
// characters that mark sections, keys and comments are escaped as \xHH or \\; nothing is
// trimmed). kIni is the plain INI form other programs read: no escapes, blanks around names and
// texts trimmed, ';' starts a comment, CR LF line ends.
enum class SettingsStyle { kStore, kIni };

bool SameName(const std::string& name, const char* other);
SettingsSection* FindSection(SettingsFile& file, const char* name);
SettingsValue* FindValue(SettingsSection& section, const char* key);
// The section of that name, appended when missing.
SettingsSection& ProvideSection(SettingsFile& file, const char* name);

// Lines that are neither a section head nor "key=text" inside a section are skipped; a
// section or key that comes twice counts by its first occurrence.
SettingsFile ParseSettings(const std::string& text, SettingsStyle style);
std::string FormatSettings(const SettingsFile& file, SettingsStyle style);

// A missing file reads as an empty one. Returns 0 or errno.
int LoadSettings(const std::string& path, SettingsStyle style, SettingsFile* file);
// Replaces the file as a whole: a temporary file beside it, flushed to the disk, renamed over
// it, so that a crash leaves the old file or the new one and never a mix. Returns 0 or errno.
int SaveSettings(const std::string& path, const SettingsFile& file, SettingsStyle style);

#endif
