// Helpers for driving the real program from a second process, the way a user would: start
// it, find its windows, send commands, read what it shows, answer its message boxes, and
// report what was on the screen when something went wrong.
#ifndef CARTULAN_TESTS_UI_HARNESS_H
#define CARTULAN_TESTS_UI_HARNESS_H

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

constexpr DWORD kDefaultWaitMs = 10000;
constexpr int kExitTimedOut = -1;

// Where things are: the test program lives in build/win32/tests, the deliverables in
// build/win32/bin, failure screenshots go to build/win32/test-shots.
std::string TestProgramDir();
std::string DeliverablesDir();
std::string ProgramPath();
std::string ShotsDir();
std::string MakeTempDir(const std::string& label);
void RemoveDirTree(const std::string& dir);
bool CopyFileTo(const std::string& from, const std::string& toDir);

// Removes "Software\NWPL\Cartulan" of the current user, so each test starts with defaults.
void RemoveProgramSettings();
// Stores a string value in a section below "Software\NWPL\Cartulan", as the program does.
bool SetProgramSetting(const std::string& section, const std::string& key, const std::string& value);

// One started program. Its destructor terminates it if it is still running.
class RunningProgram {
public:
    RunningProgram() = default;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram();

    // Starts `exe` with `args` (each quoted) in `workDir` (or the exe's directory).
    bool Start(const std::string& exe, const std::vector<std::string>& args,
               const std::string& workDir = "");
    DWORD Pid() const { return pid_; }
    bool IsRunning() const;
    // The exit code, or kExitTimedOut when the program is still running after `ms`.
    int WaitForExit(DWORD ms = kDefaultWaitMs);
    void Terminate();
    // Ends the process without releasing the handle: safe from another thread.
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Windows.
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
std::vector<HWND> TopLevelWindowsOf(DWORD pid);
std::vector<HWND> ChildrenOf(HWND parent);  // direct children, in Z order
HWND FindChildByClass(HWND parent, const std::string& className);
// Waits for a top-level window of `pid` with the class; null after `ms`.
HWND WaitForTopLevelWindow(DWORD pid, const std::string& className, DWORD ms = kDefaultWaitMs);
// Waits for a dialog or message box (class "#32770") of `pid`; null after `ms`.
HWND WaitForDialog(DWORD pid, DWORD ms = kDefaultWaitMs);
// Every top-level window of `pid` with its class, title and children: for failure reports.
std::string DescribeWindowsOf(DWORD pid);

// Talking to windows. Sends return false when the window did not answer in time.
bool SendCommand(HWND window, int command, DWORD ms = kDefaultWaitMs);
bool PostCommand(HWND window, int command);
bool PostClose(HWND window);

// Keyboard input as the user types it: the window is brought to the foreground and the keys
// go through the system's input queue, so accelerators and the modifier states behave as for
// real keys. `modifiers` is a combination of the flags below.
enum KeyModifier { kShift = 1, kControl = 2, kAlt = 4 };
bool PressKey(HWND window, WORD virtualKey, int modifiers = 0);

// List boxes (with strings): the item count, the item texts and the selected indexes.
int ListBoxCount(HWND list);
std::vector<std::string> ListBoxTexts(HWND list);
std::vector<int> ListBoxSelection(HWND list);

// Message boxes and dialogs: the texts of their static controls joined by newlines, and a
// button press (IDOK, IDYES, ... or any control id).
std::string DialogText(HWND dialog);
bool PressButton(HWND dialog, int id);

// Menus, read inside the program's own process through the probe library. `initPosition`
// >= 0 first lets the window enable that pop-up of its menu bar, as when the user opens it.
struct MenuItem {
    std::string text;
    int id = 0;
    bool popup = false;
    bool separator = false;
    bool grayed = false;
    bool checked = false;
    std::vector<MenuItem> items;
};
bool ReadMenuBar(HWND window, std::vector<MenuItem>& bar, int initPosition = -1);

// Saves the whole screen as a BMP file.
bool SaveScreenshot(const std::string& path);
// Saves `width` x `height` pixels at (x, y) of `source` as a 24-bit BMP file; when `colours`
// is given it receives the number of different colours in the picture.
bool SaveArea(HDC source, int x, int y, int width, int height, const std::string& path,
              size_t* colours = nullptr);

}  // namespace ui

#endif
