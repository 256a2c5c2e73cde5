#include <windows.h>

#include <cstdio>
#include <cstring>

#include "io/platform_files.h"

const char kPathSeparator = '\\';

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

bool ProgramDirectory(char* out, std::size_t outSize)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return false;
    char* slash = std::strrchr(path, '\\');
    if (slash == nullptr) return false;
    *slash = '\0';
    if (std::strlen(path) >= outSize) return false;
    std::strcpy(out, path);
    return true;
}

void* OpenLibraryAt(const char* path)
{
    // A full path only: the library search path never supplies a filter.
    if (path == nullptr || std::strchr(path, '\\') == nullptr) return nullptr;
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(oldMode);
    return module;
}

void* LibraryExport(void* library, const char* name)
{
    if (library == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library)
{
    if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

std::vector<std::string> FilesWithExtension(const char* directory, const char* extension)
{
    std::vector<std::string> names;
    const std::string pattern = std::string(directory) + "\\*" + extension;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool FileExists(const char* path)
{
    const DWORD attributes = path != nullptr ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const char* path)
{
    const DWORD attributes = path != nullptr ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FullPathOf(const char* name, char* out, std::size_t outSize)
{
    if (outSize == 0) return false;
    char* filePart = nullptr;
    const DWORD length = GetFullPathNameA(name, static_cast<DWORD>(outSize), out, &filePart);
    if (length == 0 || length >= outSize) {
        std::snprintf(out, outSize, "%s", name);
        return false;
    }
    return true;
}

std::string LinkedFile(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    // Looked up, not linked: systems before Vista have no symbolic links and no such call.
    typedef DWORD(WINAPI * FinalPathProc)(HANDLE, LPSTR, DWORD, DWORD);
    const FinalPathProc finalPath = reinterpret_cast<FinalPathProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (finalPath == nullptr || file == INVALID_HANDLE_VALUE) {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        return path;
    }
    char target[MAX_PATH + 8] = "";
    const DWORD length = finalPath(file, target, sizeof target, 0);
    CloseHandle(file);
    if (length == 0 || length >= sizeof target) return path;
    // "\\?\C:\..." for a drive, "\\?\UNC\server\..." for a share.
    if (std::strncmp(target, "\\\\?\\UNC\\", 8) == 0) return std::string("\\\\") + (target + 8);
    if (std::strncmp(target, "\\\\?\\", 4) == 0) return target + 4;
    return target;
}

bool IsReadOnlyFile(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
        && (attributes & FILE_ATTRIBUTE_READONLY);
}

int FlushFileToDevice(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastFileError();
    const int result = FlushFileBuffers(file) ? 0 : LastFileError();
    CloseHandle(file);
    return result;
}

int KeepCopyAs(const char* path, const char* copy)
{
    // A copy keeps the original in place until the new file replaces it.
    return CopyFileA(path, copy, TRUE) ? 0 : LastFileError();
}

int ReplaceWith(const char* from, const char* to)
{
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : LastFileError();
}

void DeleteFileAt(const char* path) { DeleteFileA(path); }

int LastFileError()
{
    const DWORD error = GetLastError();
    return error != 0 ? static_cast<int>(error) : ERROR_GEN_FAILURE;
}

std::string ErrorText(int error)
{
    char text[256] = "";
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' ||
                               result.back() == ' ' || result.back() == '.'))
        result.pop_back();
    if (result.empty()) result = "error " + std::to_string(error);
    return result;
}
