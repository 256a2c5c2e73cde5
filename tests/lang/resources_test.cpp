// What the program relies on in the English library and its own resources: a text for every
// string id and command help it loads, exactly the conversions each formatted message gets,
// every command of ids.h on a menu, every dialog created with the controls its code addresses,
// and the keys. The ids are read from lang/ids.h itself, as the code sees them, so that the
// checks follow the header without a copy of it: every number and resource name it defines,
// and the control ids listed under each dialog's heading (a comment that starts with the
// dialog's name in quotes). A picture of each dialog is saved as a BMP file in
// build/win32/dialog-shots/ for a person to look at (the test run converts them to PNG).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "ids.h"
#include "ui_harness.h"

namespace {

struct IdsHeader {
    std::map<std::string, int> numbers;             // IDS_SAVE_CHANGES -> 531
    std::map<std::string, std::string> names;       // DLG_ABOUT -> ABOUT
    std::map<std::string, std::vector<std::string>> controls;  // "ABOUT" -> IDC_ABOUT_...

    // The numbers whose names start with `prefix`.
    std::map<std::string, int> WithPrefix(const std::string& prefix) const
    {
        std::map<std::string, int> found;
        for (const auto& [name, number] : numbers)
            if (name.compare(0, prefix.size(), prefix) == 0) found[name] = number;
        return found;
    }
};

IdsHeader Read(const char* path)
{
    IdsHeader ids;
    std::ifstream file(path);
    std::string line;
    std::string dialog;
    while (std::getline(file, line)) {
        if (line.compare(0, 2, "/*") == 0) {
            const std::size_t quote = line.find('"');
            dialog = line.compare(0, 4, "/* \"") == 0
                         ? line.substr(quote + 1, line.find('"', quote + 1) - quote - 1)
                         : "";
            continue;
        }
        std::istringstream words(line);
        std::string define, name, value;
        if (!(words >> define >> name >> value) || define != "#define") continue;
        if (value.front() == '"') {
            ids.names[name] = value.substr(1, value.size() - 2);
        } else {
            ids.numbers[name] = std::atoi(value.c_str() + (value.front() == '(' ? 1 : 0));
            if (!dialog.empty() && name.compare(0, 4, "IDC_") == 0)
                ids.controls[dialog].push_back(name);
        }
    }
    return ids;
}

const IdsHeader& Ids()
{
    static const IdsHeader ids = Read(CARTULAN_IDS_HEADER);
    return ids;
}

std::string EnglishLibraryPath() { return ui::DeliverablesDir() + "\\CTNEN.DLL"; }

// A module loaded for the length of one test: `flags` as for LoadLibraryEx, 0 maps a
// language library (it runs no code when loaded), LOAD_LIBRARY_AS_DATAFILE the program.
using LoadedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)>;
LoadedModule Load(const std::string& path, DWORD flags = 0)
{
    return LoadedModule(LoadLibraryExA(path.c_str(), nullptr, flags), FreeLibrary);
}


std::string LoadText(HMODULE module, UINT id)
{
    char buffer[4096] = {};
    const int length = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

BOOL CALLBACK CollectBlock(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param)
{
    const UINT block = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    for (UINT id = (block - 1) * 16; id < block * 16; ++id)
        if (!LoadText(module, id).empty()) reinterpret_cast<std::set<UINT>*>(param)->insert(id);
    return TRUE;
}

// The conversions of a printf format, in order ("%lu%s"); "%%" is none.
std::string Conversions(const std::string& format)
{
    std::string found;
    for (std::size_t at = format.find('%'); at != std::string::npos; at = format.find('%', at)) {
        std::size_t end = format.find_first_not_of("-+ #0123456789.hlL", at + 1);
        if (end == std::string::npos) end = format.size() - 1;
        if (format[end] != '%') found += format.substr(at, end - at + 1);
        at = end + 1;
    }
    return found;
}

TEST(LanguageLibrary, HasATextForEveryStringAndCommandAndNoOthers)
{
    ASSERT_FALSE(Ids().numbers.empty());
    LoadedModule library = Load(EnglishLibraryPath());
    ASSERT_TRUE(library);
    std::set<UINT> named;
    for (const auto& [name, id] : Ids().WithPrefix("IDS_")) named.insert(id);
    for (const auto& [name, id] : Ids().WithPrefix("CMD_"))
        if (id >= 500 && id < 600) named.insert(id);  // status-bar help of the commands
    std::set<UINT> present;
    EnumResourceNamesA(library.get(), reinterpret_cast<LPCSTR>(RT_STRING), CollectBlock,
                       reinterpret_cast<LONG_PTR>(&present));
    EXPECT_EQ(present, named);

    // A wrong conversion crashes the formatting call, so each message has exactly the ones
    // the program passes, in order; every other text has none.
    const std::map<UINT, std::string> formatted = {
        {IDS_FOUND_REFERENCES, "%lu%s"}, {IDS_SAVED_REFERENCES, "%lu"},
        {IDS_LOADED_REFERENCES, "%lu"},  {IDS_SCANNED_REFERENCES, "%lu"},
        {IDS_SORTING_PROGRESS, "%u"},    {IDS_STATUS_LINE, "%s%lu"},
        {IDS_PAGE_NUMBER, "%u"},         {IDS_ALLOCATION_FAILED, "%u"},
        // File messages: the name, then the system's reason where there is one.
        {IDS_FILTER_FAILED, "%s"},       {IDS_READ_FAILED, "%s%s"},
        {IDS_WRITE_FAILED, "%s%s"},      {IDS_SAVE_STOPPED, "%s"},
        {IDS_REPLACE_FAILED, "%s%s"},    {IDS_NAME_TOO_LONG, "%s"},
        {IDS_FILE_READ_ONLY, "%s"},      {IDS_FOLDER_REFUSES_FILES, "%s"},
        {IDS_UTF16_FILE, "%s"},          {IDS_UNMAPPED_CHARACTERS, "%s%lu"},
    };
    for (UINT id : present) {
        SCOPED_TRACE(id);
        const auto expected = formatted.find(id);
        EXPECT_EQ(Conversions(LoadText(library.get(), id)),
                  expected != formatted.end() ? expected->second : "");
    }
}

// Every item's command id.
void CollectItems(HMENU menu, std::set<UINT>& ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i))
            CollectItems(popup, ids);
        else if (GetMenuItemID(menu, i) != 0)  // separators have id 0
            ids.insert(GetMenuItemID(menu, i));
    }
}

TEST(LanguageLibrary, MenusCarryEveryCommandWhereTheProgramLooksForIt)
{
    std::set<UINT> commands;
    for (const auto& [name, id] : Ids().WithPrefix("CMD_")) commands.insert(id);
    // Commands the program gives without a menu item: windows and recent files add their own.
    for (UINT id : {CMD_OPEN_BIBLIOGRAPHY, CMD_REBUILD_CONTENT, CMD_FILE_RECENT_FIRST,
                    CMD_FILE_RECENT_LAST})
        commands.erase(id);
    for (const std::string& path : {EnglishLibraryPath(), ui::TestProgramDir() + "\\CTNTEST.DLL"}) {
        SCOPED_TRACE(path);
        LoadedModule library = Load(path);
        ASSERT_TRUE(library);
        HMENU main = LoadMenuA(library.get(), MENU_MAIN);
        HMENU editor = LoadMenuA(library.get(), MENU_EDIT_REF);
        ASSERT_TRUE(main && editor);
        std::set<UINT> items;
        CollectItems(main, items);
        CollectItems(editor, items);
        EXPECT_EQ(items, commands);
        // Recent files go after the fixed File items; the window list into the Window menu.
        HMENU file = GetSubMenu(main, MENU_POS_FILE);
        EXPECT_EQ(GetMenuItemCount(file), MENU_FILE_FIXED_ITEMS);
        EXPECT_EQ(GetMenuItemID(file, MENU_FILE_FIXED_ITEMS - 1), UINT(CMD_FILE_EXIT));
        EXPECT_EQ(GetMenuItemID(GetSubMenu(main, MENU_POS_WINDOW), 0), UINT(CMD_WINDOW_CASCADE));
        DestroyMenu(main);
        DestroyMenu(editor);
    }
}

// The keys as the program's table holds them: each with its modifiers gives its command, and
// the table holds no other.
TEST(ProgramResources, EachKeyGivesItsCommandAndOthersNothing)
{
    LoadedModule program = Load(ui::ProgramPath(), LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    HACCEL table = LoadAcceleratorsA(program.get(), ACCEL_KEYS);
    ASSERT_TRUE(table);
    std::vector<ACCEL> entries(CopyAcceleratorTableA(table, nullptr, 0));
    CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    DestroyAcceleratorTable(table);
    using Key = std::tuple<int, int, int>;  // key, modifiers, command
    std::set<Key> keys;
    for (const ACCEL& entry : entries) {
        EXPECT_TRUE(entry.fVirt & FVIRTKEY) << entry.key;  // virtual keys, never characters
        keys.insert({entry.key, entry.fVirt & (FCONTROL | FSHIFT | FALT), entry.cmd});
    }
    const std::set<Key> expected = {
        {'S', FCONTROL, CMD_FILE_SAVE},         {'O', FCONTROL, CMD_FILE_OPEN},
        {VK_F7, 0, CMD_REF_NEW},                {'B', FCONTROL, CMD_REF_ADD_TO_BIB},
        {'C', FCONTROL, CMD_EDIT_COPY},         {VK_INSERT, FCONTROL, CMD_EDIT_COPY},
        {'X', FCONTROL, CMD_EDIT_CUT},          {VK_DELETE, FSHIFT, CMD_EDIT_CUT},
        {'V', FCONTROL, CMD_EDIT_PASTE},        {VK_INSERT, FSHIFT, CMD_EDIT_PASTE},
        {'Z', FCONTROL, CMD_EDIT_UNDO},         {VK_BACK, FALT, CMD_EDIT_UNDO},
        {VK_F4, FSHIFT, CMD_WINDOW_TILE},       {VK_F5, FSHIFT, CMD_WINDOW_CASCADE},
        {VK_RETURN, 0, CMD_REF_EDIT},           {VK_RETURN, FCONTROL, CMD_REF_EDIT_AUTHOR},
        {VK_F2, 0, CMD_REF_EDIT_AUTHOR},        {VK_F6, 0, CMD_REF_EDIT},
        {VK_DELETE, 0, CMD_REF_DELETE},         {VK_F3, 0, CMD_SEARCH_NEW},
        {VK_F1, 0, CMD_HELP_CONTENTS},
    };
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(entries.size(), expected.size());
}

std::string ShotsDir()
{
    std::string tests = ui::TestProgramDir();
    std::string dir = tests.substr(0, tests.find_last_of('\\')) + "\\dialog-shots";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

TEST(DialogShots, EveryDialogIsCreatedWithItsControlsAndDrawn)
{
    ASSERT_FALSE(Ids().numbers.empty());
    LoadedModule library = Load(EnglishLibraryPath());
    LoadedModule program = Load(ui::ProgramPath(), LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(library && program);
    const std::string dir = ShotsDir();
    int dialogs = 0;
    for (const auto& [define, name] : Ids().names) {
        if (define.compare(0, 4, "DLG_") != 0) continue;
        SCOPED_TRACE(name);
        ++dialogs;
        HMODULE from = name == DLG_SPLASH ? program.get() : library.get();
        HWND dialog = CreateDialogParamA(from, name.c_str(), nullptr, InertDialogProc, 0);
        ASSERT_TRUE(dialog);
        const auto controls = Ids().controls.find(name);
        if (controls != Ids().controls.end()) {
            for (const std::string& control : controls->second)
                EXPECT_TRUE(GetDlgItem(dialog, Ids().numbers.at(control))) << control;
        }
        // Dialogs that the program titles get their name, so the picture says which it is.
        if (GetWindowTextLengthA(dialog) == 0) SetWindowTextA(dialog, ("(" + name + ")").c_str());
        SetWindowPos(dialog, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(dialog);
        PumpMessages(150);
        RECT rect;
        GetWindowRect(dialog, &rect);
        HDC screen = GetDC(nullptr);
        size_t colours = 0;
        ui::SaveArea(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     dir + "\\" + name + ".bmp", &colours);
        ReleaseDC(nullptr, screen);
        DestroyWindow(dialog);
        PumpMessages(20);
        EXPECT_GT(colours, 2u) << "the picture is blank or was not saved";
    }
    EXPECT_EQ(dialogs, 21);
}

}  // namespace
