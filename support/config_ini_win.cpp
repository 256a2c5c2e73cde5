// INI files on Windows: the platform's private-profile functions.
#include <windows.h>

#include "config_backend.h"

int ReadIniInt(const char* path, const char* section, const char* key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, path));
}

int ReadIniString(const char* path, const char* section, const char* key,
                  const char* defaultText, char* buffer, int size)
{
    return static_cast<int>(GetPrivateProfileStringA(section, key,
                                                     defaultText != nullptr ? defaultText : "",
                                                     buffer, static_cast<DWORD>(size), path));
}

int WriteIniString(const char* path, const char* section, const char* key, const char* text)
{
    if (WritePrivateProfileStringA(section, key, text, path))
        return 0;
    DWORD error = GetLastError();
    return error != 0 ? static_cast<int>(error) : -1;
}
