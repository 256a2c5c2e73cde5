// What the resource checks share. The shared ids as the program's code sees them, read from
// lang/ids.h itself, so that the checks follow the header without a copy of it: every number
// and resource name it defines, and the control ids listed under each dialog's heading (a
// comment that starts with the dialog's name in quotes). And the modules the checks read,
// each loaded for the length of one test.
#ifndef CARTULAN_TESTS_LANG_IDS_HEADER_H
#define CARTULAN_TESTS_LANG_IDS_HEADER_H

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui_harness.h"

namespace lang_test {

struct IdsHeader {
    bool read = false;
    std::map<std::string, int> numbers;             // IDS_SAVE_CHANGES -> 531
    std::map<std::string, std::string> names;       // DLG_ABOUT -> ABOUT
    std::map<std::string, std::vector<std::string>> controls;  // "ABOUT" -> IDC_ABOUT_...

    // The numbers whose names start with `prefix`.
    std::map<std::string, int> WithPrefix(const std::string& prefix) const;
};

const IdsHeader& Ids();

inline std::string EnglishLibraryPath() { return ui::DeliverablesDir() + "\\CTNEN.DLL"; }
inline std::string TestLibraryPath() { return ui::TestProgramDir() + "\\CTNTEST.DLL"; }
inline std::string ProgramPath() { return ui::ProgramPath(); }

// `flags` as for LoadLibraryEx: 0 maps the module as a library (a language library runs no
// code when loaded), LOAD_LIBRARY_AS_DATAFILE for the program.
class LoadedModule {
public:
    explicit LoadedModule(const std::string& path, DWORD flags = 0)
        : module_(LoadLibraryExA(path.c_str(), nullptr, flags)) {}
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    ~LoadedModule() { if (module_) FreeLibrary(module_); }
    HMODULE get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }

private:
    HMODULE module_;
};

}  // namespace lang_test

#endif
