// The modules the resource tests read: the English language library and the program from
// the deliverables folder, the test language library from the tests folder. Each is loaded
// for the length of one test and freed afterwards.
#ifndef CARTULAN_TESTS_LANG_LOADED_MODULE_H
#define CARTULAN_TESTS_LANG_LOADED_MODULE_H

#include <windows.h>

#include <string>

#include "ui_harness.h"

namespace lang_test {

inline std::string EnglishLibraryPath() { return ui::DeliverablesDir() + "\\CTNEN.DLL"; }
inline std::string TestLibraryPath() { return ui::TestProgramDir() + "\\CTNTEST.DLL"; }
inline std::string ProgramPath() { return ui::ProgramPath(); }

class LoadedModule {
public:
    // `flags` as for LoadLibraryEx: 0 maps the module as a library (a language library runs
    // no code when loaded), LOAD_LIBRARY_AS_DATAFILE for the program.
    explicit LoadedModule(const std::string& path, DWORD flags = 0)
        : module_(LoadLibraryExA(path.c_str(), nullptr, flags))
    {
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    ~LoadedModule()
    {
        if (module_)
            FreeLibrary(module_);
    }

    HMODULE get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }

private:
    HMODULE module_;
};

}  // namespace lang_test

#endif
