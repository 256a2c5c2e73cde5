// Where the program's files are and which versions they carry.
#ifndef CARTULAN_SHELL_VERSION_INFO_H
#define CARTULAN_SHELL_VERSION_INFO_H

#include <windows.h>

#include <string>

// The full file name of a loaded module (null: the program), or "" when there is none.
std::string ModulePath(HMODULE module);

// The program's folder, with its trailing backslash.
std::string ProgramFolder();

// The fixed part of the version resource of the file `path`. Returns false when the file has
// no version information.
bool ReadFixedVersion(const std::string& path, VS_FIXEDFILEINFO& version);

#endif
