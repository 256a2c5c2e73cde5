// What the transfer engine needs from the platform's file system and library loader. The
// POSIX forms are in platform_files.cpp, the Windows forms in platform_files_win.cpp.
#ifndef CARTULAN_IO_PLATFORM_FILES_H
#define CARTULAN_IO_PLATFORM_FILES_H

#include <cstddef>
#include <string>
#include <vector>

// The directory separator used when the engine builds a path.
extern const char kPathSeparator;

// Whether `c` separates directories in a path of this platform.
bool IsPathSeparator(char c);

// The directory that holds the running program, without a closing separator. False when
// the platform cannot tell.
bool ProgramDirectory(char* out, std::size_t outSize);

// Loads the library at the full path `path` (never through the search path); null on failure.
void* OpenLibraryAt(const char* path);
// The export `name` of a loaded library, or null.
void* LibraryExport(void* library, const char* name);
void CloseLibrary(void* library);

// The names (not paths) of the files in `directory` whose name ends in `extension` (compared
// ignoring case), in the platform's directory order.
std::vector<std::string> FilesWithExtension(const char* directory, const char* extension);

// Whether `path` names an existing file (not a directory).
bool FileExists(const char* path);
// Whether `path` names an existing directory.
bool DirectoryExists(const char* path);

// The full path of `name` into `out`. False (and `out` a copy of `name`, cut to fit) when the
// platform cannot resolve it.
bool FullPathOf(const char* name, char* out, std::size_t outSize);

// The file `path` names in the end: the file a symbolic link (or a chain of them) links to,
// else `path` itself.
std::string LinkedFile(const char* path);
// Whether `path` names an existing file that is read-only.
bool IsReadOnlyFile(const char* path);

// Forces the written contents of the closed file `path` to the device. 0 or an error code.
int FlushFileToDevice(const char* path);
// Makes `copy` a second name or a copy of `path`, failing when `copy` exists. 0 or an error
// code.
int KeepCopyAs(const char* path, const char* copy);
// Gives the new file `from` the name `to`, replacing an existing `to` in one step and
// keeping its access rights where the platform has them. 0 or an error code.
int ReplaceWith(const char* from, const char* to);
// Deletes `path`; nothing when it does not exist.
void DeleteFileAt(const char* path);

// The error code of the platform's last failed call, never 0.
int LastFileError();
// A short description of an error code from the functions above or from cartio.
std::string ErrorText(int error);

#endif
