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
// The window's text once it reads `expected`, or whatever it reads after `ms`.
std::string WaitForText(HWND window, const std::string& expected, DWORD ms = 3000);
std::vector<HWND> TopLevelWindowsOf(DWORD pid);
std::vector<HWND> ChildrenOf(HWND parent);  // direct children, in Z order
HWND FindChildByClass(HWND parent, const std::string& className);
// Waits for a top-level window of `pid` with the class; null after `ms`.
HWND WaitForTopLevelWindow(DWORD pid, const std::string& className, DWORD ms = kDefaultWaitMs);
// Waits for a visible top-level window of `pid` with the title; null after `ms`.
HWND WaitForTitledWindow(DWORD pid, const std::string& title, DWORD ms = kDefaultWaitMs);
// Waits for a dialog or message box (class "#32770") of `pid`; null after `ms`.
HWND WaitForDialog(DWORD pid, DWORD ms = kDefaultWaitMs);
// Every top-level window of `pid` with its class, title and children: for failure reports.
std::string DescribeWindowsOf(DWORD pid);

// Talking to windows. Sends return false when the window did not answer in time.
bool SendCommand(HWND window, int command, DWORD ms = kDefaultWaitMs);
bool PostCommand(HWND window, int command);
// Returns once the window's thread has handled what was posted to it before, or entered a
// modal loop.
bool Sync(HWND window);
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

// Presses a button of a dialog or message box and waits until the box has gone: what the
// program does on the answer has then begun, and a message sent afterwards waits for it.
bool CloseBox(HWND box, int id, DWORD ms = kDefaultWaitMs);

// The text on the system clipboard (CF_TEXT), or "".
std::string ClipboardText();

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

// Keeps the probe hooked into the program's user-interface thread for its lifetime, so that
// the probe can watch what happens between two questions.
class ProbeHook {
public:
    explicit ProbeHook(HWND window);
    ProbeHook(const ProbeHook&) = delete;
    ProbeHook& operator=(const ProbeHook&) = delete;
    ~ProbeHook();
    bool Hooked() const { return hook_ != nullptr; }
    // Asks the probe (a UI_PROBE_REQUEST) and receives its answer.
    bool Ask(WPARAM request, std::string& answer);

private:
    HWND window_;
    HHOOK hook_ = nullptr;
};
// Texts the program sets into controls with `controlId` (at most 255) from now on, and the
// texts recorded so far, in order.
bool RecordTexts(ProbeHook& probe, int controlId);
std::vector<std::string> RecordedTexts(ProbeHook& probe);

// The program's database windows: the open-file hand-over of another instance (returns when
// the program has tried to open the file), the windows of class "RefChild" in the MDI client
// (in Z order, the active first) and a window's list.
bool HandOver(HWND frame, const std::string& fileName);
HWND MdiClientOf(HWND frame);
std::vector<HWND> DatabaseWindows(HWND frame);
HWND ActiveDatabaseWindow(HWND frame);
bool ActivateDatabaseWindow(HWND frame, HWND window);
// Waits until the frame has as many database windows as `count`.
bool WaitForDatabaseWindows(HWND frame, size_t count, DWORD ms = kDefaultWaitMs);
HWND ListOf(HWND databaseWindow);
// The database window with this title, or null.
HWND DatabaseWindowTitled(HWND frame, const std::string& title);
bool ToolbarButtonEnabled(HWND frame, int command);
std::string StatusText(HWND frame);
// Selects exactly the lines `lines` of a list and tells its window, as a click does.
bool SelectLines(HWND list, const std::vector<int>& lines);
// The rectangle of a list's line, in the list's client coordinates (empty when there is none).
RECT ListItemRect(HWND list, int index);

// The whole contents of a file ("" when it cannot be read).
std::string FileText(const std::string& path);

// Writes a refer file of `count` references "Author<i>, A" (<i> from 1000), years from 1900
// and titles "<tag> paper <i>". Returns the file's full name, or "" on failure.
std::string WriteReferFile(const std::string& dir, const std::string& name, int count,
                           const std::string& tag = "A");

// Saves the whole screen as a BMP file.
bool SaveScreenshot(const std::string& path);
// Saves `width` x `height` pixels at (x, y) of `source` as a 24-bit BMP file; when `colours`
// is given it receives the number of different colours in the picture.
bool SaveArea(HDC source, int x, int y, int width, int height, const std::string& path,
              size_t* colours = nullptr);
// How many pixels of `area` (client coordinates of `window`) show `colour` on the screen.
int CountPixels(HWND window, const RECT& area, COLORREF colour);

// The host system: runs a command line of its shell (not a Windows program) and waits for
// it; the host's path of a Windows path (empty when there is none).
bool RunHostCommand(const std::string& commandLine);
std::string HostPathOf(const std::string& path);

// A PostScript printer of Wine's generic driver (A4, 300 dpi) that writes each job to the
// host file `hostOutput`, made the default printer; and its removal, which leaves the system
// without a default printer.
bool InstallFilePrinter(const std::string& hostOutput);
void RemoveFilePrinter();

}  // namespace ui

#endif
