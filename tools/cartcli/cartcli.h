// cartcli: the command-line companion of the program. It reads and writes reference files
// with the program's own engine, filters and settings, for scripts and benchmarks.
#ifndef CARTULAN_TOOLS_CARTCLI_CARTCLI_H
#define CARTULAN_TOOLS_CARTCLI_CARTCLI_H

#include <cstdio>

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // a file or filter could not be used
constexpr int kExitUsage = 2;   // the command line is wrong

// Runs one command line (argv[0] is the program). Results go to `out`, messages to `err`.
int RunCartcli(int argc, char** argv, std::FILE* out, std::FILE* err);

#endif
