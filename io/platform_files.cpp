#include "io/platform_files.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/text/text_rules.h"

const char kPathSeparator = '/';

bool IsPathSeparator(char c) { return c == '/'; }

bool ProgramDirectory(char* out, std::size_t outSize)
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return false;
    path[length] = '\0';
    char* slash = std::strrchr(path, '/');
    if (slash == nullptr) return false;
    *slash = '\0';
    if (std::strlen(path) >= outSize) return false;
    std::strcpy(out, path);
    return true;
}

void* OpenLibraryAt(const char* path)
{
    if (path == nullptr || path[0] != '/') return nullptr;
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void* LibraryExport(void* library, const char* name)
{
    return library != nullptr ? dlsym(library, name) : nullptr;
}

void CloseLibrary(void* library)
{
    if (library != nullptr) dlclose(library);
}

std::vector<std::string> FilesWithExtension(const char* directory, const char* extension)
{
    std::vector<std::string> names;
    DIR* dir = opendir(directory);
    if (dir == nullptr) return names;
    const std::size_t extensionLength = std::strlen(extension);
    while (const dirent* entry = readdir(dir)) {
        const std::size_t length = std::strlen(entry->d_name);
        if (length <= extensionLength) continue;
        if (CompareTextI(entry->d_name + length - extensionLength, extension) != 0) continue;
        const std::string path = std::string(directory) + "/" + entry->d_name;
        if (FileExists(path.c_str())) names.push_back(entry->d_name);
    }
    closedir(dir);
    // readdir's order changes with the file system; listing by name keeps it stable.
    std::sort(names.begin(), names.end());
    return names;
}

bool FileExists(const char* path)
{
    struct stat info;
    return path != nullptr && stat(path, &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const char* path)
{
    struct stat info;
    return path != nullptr && stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool FullPathOf(const char* name, char* out, std::size_t outSize)
{
    if (outSize == 0) return false;
    std::string full;
    if (name[0] == '/') {
        full = name;
    } else {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd) == nullptr) {
            std::snprintf(out, outSize, "%s", name);
            return false;
        }
        full = std::string(cwd) + "/" + name;
    }
    const bool fits = full.size() < outSize;
    std::snprintf(out, outSize, "%s", full.c_str());
    return fits;
}

std::string LinkedFile(const char* path)
{
    // A bound, as the system has one, so that a loop of links cannot hold the save.
    constexpr int kMaxLinks = 40;
    std::string file = path;
    struct stat info;
    for (int i = 0; i < kMaxLinks && lstat(file.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
         ++i) {
        char target[PATH_MAX];
        const ssize_t length = readlink(file.c_str(), target, sizeof target - 1);
        if (length <= 0) break;
        target[length] = '\0';
        const std::size_t slash = file.rfind('/');
        file = target[0] == '/' || slash == std::string::npos
                   ? std::string(target)
                   : file.substr(0, slash + 1) + target;
    }
    return file;
}

bool IsReadOnlyFile(const char* path)
{
    struct stat info;
    if (stat(path, &info) != 0 || S_ISDIR(info.st_mode)) return false;
    // Write permission for no one is read-only even for a user whom the system lets write.
    return (info.st_mode & 0222) == 0 || access(path, W_OK) != 0;
}

int FlushFileToDevice(const char* path)
{
    const int fd = open(path, O_RDONLY);
    if (fd < 0) return LastFileError();
    const int result = fsync(fd) == 0 ? 0 : LastFileError();
    close(fd);
    return result;
}

int KeepCopyAs(const char* path, const char* copy)
{
    if (link(path, copy) == 0) return 0;
    const int error = LastFileError();
    // A file system without hard links: rename, unless the copy is there already.
    if (error == EEXIST || FileExists(copy) || DirectoryExists(copy)) return EEXIST;
    return rename(path, copy) == 0 ? 0 : LastFileError();
}

int ReplaceWith(const char* from, const char* to)
{
    struct stat old;
    if (stat(to, &old) == 0) chmod(from, old.st_mode & 07777);
    return rename(from, to) == 0 ? 0 : LastFileError();
}

void DeleteFileAt(const char* path) { unlink(path); }

int LastFileError() { return errno != 0 ? errno : EIO; }

std::string ErrorText(int error) { return std::strerror(error); }
