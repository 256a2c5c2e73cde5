// The per-user store on Windows: one registry key below the current user's root per section,
// string values in it.
#include <windows.h>

#include <string>
#include <vector>

#include "config_backend.h"

namespace {

const char kStoreRoot[] = "Software\\NWPL\\Cartulan";

std::string SectionPath(const char* section)
{
    return std::string(kStoreRoot) + "\\" + section;
}

// The INI file serves as the store only on the 32-bit extension of the 16-bit platform: not of
// the NT line and a major version below 4.
bool ChooseUserStore()
{
    DWORD version = GetVersion();
    bool ntLine = (version & 0x80000000u) == 0;
    return ntLine || LOBYTE(LOWORD(version)) >= 4;
}

const bool g_userStoreIsDefault = ChooseUserStore();

HKEY KeyOf(UserSection* open)
{
    return reinterpret_cast<HKEY>(open);
}

std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    char name[MAX_PATH];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        LONG status = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

}  // namespace

bool UserStoreIsDefault()
{
    return g_userStoreIsDefault;
}

UserSection* OpenUserSection(const char* section)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return nullptr;
    return reinterpret_cast<UserSection*>(key);
}

void CloseUserSection(UserSection* open)
{
    if (open != nullptr)
        RegCloseKey(KeyOf(open));
}

// A value stored by another program may lack its terminating zero: one is added when there is
// room for it, else the value does not fit.
bool ReadUserValue(UserSection* open, const char* key, char* buffer, int limit)
{
    DWORD size = static_cast<DWORD>(limit);
    if (RegQueryValueExA(KeyOf(open), key, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS)
        return false;
    if (size == 0 || buffer[size - 1] != '\0') {
        if (size >= static_cast<DWORD>(limit))
            return false;
        buffer[size] = '\0';
    }
    return true;
}

NameResult UserValueName(UserSection* open, int index, char* buffer, int limit)
{
    DWORD length = static_cast<DWORD>(limit);
    LONG status = RegEnumValueA(KeyOf(open), static_cast<DWORD>(index), buffer, &length, nullptr,
                                nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA)
        return NameResult::kTooLong;
    return status == ERROR_SUCCESS ? NameResult::kStored : NameResult::kNoMore;
}

int WriteUserValue(const char* section, const char* key, const char* text)
{
    HKEY handle;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    if (text != nullptr)
        status = RegSetValueExA(handle, key, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                static_cast<DWORD>(lstrlenA(text) + 1));
    else
        status = RegDeleteValueA(handle, key);
    RegCloseKey(handle);
    return status;
}

// The registry deletes only keys without subkeys: every subkey goes first, depth first, as a
// section of its own.
int DeleteUserSection(const char* section)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key)
        == ERROR_SUCCESS) {
        std::vector<std::string> subkeys = SubkeyNames(key);
        RegCloseKey(key);
        for (const std::string& subkey : subkeys)
            DeleteUserSection((std::string(section) + "\\" + subkey).c_str());
    }
    HKEY root;
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, kStoreRoot, 0, KEY_ALL_ACCESS, &root);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegDeleteKeyA(root, section);
    RegCloseKey(root);
    return status;
}
