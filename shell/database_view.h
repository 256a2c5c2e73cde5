// What the shell keeps beside a database window's Database: its controls, whether the list
// shows the references yet, and the line changes waiting to reach the list.
#ifndef CARTULAN_SHELL_DATABASE_VIEW_H
#define CARTULAN_SHELL_DATABASE_VIEW_H

#include <windows.h>

#include <cstdint>
#include <vector>

class Database;

// One change of the list's lines, in the order the store made it.
struct LineEdit {
    enum Kind : uint8_t { kInsert, kDelete, kSelect };
    Kind kind;
    int32_t index;
};

struct DatabaseView {
    Database* database = nullptr;
    HWND window = nullptr;
    HWND content = nullptr;     // the list, or the formatted bibliography's text display
    HWND searchable = nullptr;  // the "Searchable" check box
    bool formatted = false;     // the content is the text display
    // The list stands for the references. A file opened without "Auto view all" shows an
    // empty list until Show all references; line changes wait until then.
    bool shown = true;
    int horizontalExtent = 0;   // widest titled line drawn so far
    int updateDepth = 0;        // line changes are gathered while above 0
    std::vector<LineEdit> pending;
};

// The view of a database window, or null (another window, or a window being destroyed).
DatabaseView* ViewOfWindow(HWND window);
// The view of `database`'s window, or null when it has none.
DatabaseView* ViewOfDatabase(const Database& database);
// The view of the active database window, or null.
DatabaseView* ActiveView();

#endif
