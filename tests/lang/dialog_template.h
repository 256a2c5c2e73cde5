// Reads a dialog template resource (the classic and the extended layout) into plain values,
// so that tests can compare a dialog's exact styles, font, positions and texts.
#ifndef CARTULAN_TESTS_LANG_DIALOG_TEMPLATE_H
#define CARTULAN_TESTS_LANG_DIALOG_TEMPLATE_H

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace lang_test {

// A name or a number, as templates store menu, class and text references.
struct NameOrOrdinal {
    bool present = false;
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::string name;
};

struct ControlTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;  // -1 for "no id"
    std::string className;  // predefined classes by name: "Button", "Edit", ...
    NameOrOrdinal text;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::string title;
    bool hasFont = false;
    WORD pointSize = 0;
    std::string faceName;
    std::vector<ControlTemplate> controls;
};

// Parses `size` bytes of a template. Returns false, leaving `out` unspecified, when the data
// is cut short or malformed.
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate& out);

// Finds the dialog resource `name` in `module` and parses it.
bool LoadDialogTemplate(HMODULE module, const char* name, DialogTemplate& out);

}  // namespace lang_test

#endif
