// Helpers for driving the real program from a second process, the way a user would: start
// it, find its windows, send commands and input, read what it shows, answer its dialogs, and
// report what was on the screen when something went wrong.
#ifndef CARTULAN_TESTS_UI_HARNESS_H
#define CARTULAN_TESTS_UI_HARNESS_H

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

constexpr DWORD kDefaultWaitMs = 10000;
constexpr int kExitTimedOut = -1;
constexpr char kMissing[] = "<missing>";

// Where things are: the test program lives in build/win32/tests, the deliverables in
// build/win32/bin, screenshots go to build/win32/test-shots.
std::string TestProgramDir();
std::string DeliverablesDir();
std::string ProgramPath();
std::string ShotsDir();
std::string MakeTempDir(const std::string& label);
void RemoveDirTree(const std::string& dir);
bool CopyFileTo(const std::string& from, const std::string& toDir);
// Copies the program, its support library, the English library, the refer filter and the
// files `extra` (source path, name in the folder) into the folder `dir`.
bool CopyProgramTo(const std::string& dir,
                   const std::vector<std::pair<std::string, std::string>>& extra = {});

// The program's settings below "Software\NWPL\Cartulan" of the current user: all removed, so
// a test starts with defaults; one string value stored or read (kMissing when absent).
void RemoveProgramSettings();
bool SetProgramSetting(const std::string& section, const std::string& key, const std::string& value);
std::string ReadProgramSetting(const std::string& section, const std::string& key);

// Files: the whole contents ("" when unreadable; the program may replace the file meanwhile),
// a file written whole, and refer text of `count` references "Author<1000 + i>, A" (years
// from 1900, titles "A paper <1000 + i>"), i from `first`, as the program saves them.
std::string FileText(const std::string& path);
bool WriteFile(const std::string& path, const std::string& text);
std::string ReferText(int first, int count);

// One started program. Its destructor terminates it if it is still running.
class RunningProgram {
public:
    RunningProgram() = default;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram() { Terminate(); }

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
// Polls `done` every 20 ms; false when it is still false after `ms`.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = kDefaultWaitMs);
// The first top-level window of `pid` that `match` accepts; null after `ms`.
HWND WaitForWindow(DWORD pid, const std::function<bool(HWND)>& match, DWORD ms = kDefaultWaitMs);
HWND WaitForTopLevelWindow(DWORD pid, const std::string& className, DWORD ms = kDefaultWaitMs);
// A visible top-level window of `pid` with the title.
HWND WaitForTitledWindow(DWORD pid, const std::string& title, DWORD ms = kDefaultWaitMs);
// A dialog or message box of `pid` that the user can answer now: visible, enabled (no modal
// box over it), with a button (unlike a progress window), not `except`, and with `title`
// unless that is empty. Null after `ms`.
HWND WaitForDialog(DWORD pid, DWORD ms = kDefaultWaitMs, HWND except = nullptr,
                   const std::string& title = "");
// The window's text once it reads `expected`, or whatever it reads after `ms`.
std::string WaitForText(HWND window, const std::string& expected, DWORD ms = 3000);
// Every top-level window of `pid` with its class, title and children: for failure reports.
std::string DescribeWindowsOf(DWORD pid);

// Talking to windows. Sends return false when the window did not answer in time.
bool SendCommand(HWND window, int command, DWORD ms = kDefaultWaitMs);
bool PostCommand(HWND window, int command);
bool PostClose(HWND window);
// Returns once the window's thread has handled what was posted to it before, or entered a
// modal loop.
bool Sync(HWND window);

// Input as the user makes it, through the system's queue: keys to a window brought to the
// foreground (so accelerators and modifier states behave as for real keys), a double click
// with the left button on a list's line, and drags with the right button from a list's line
// to the middle of another window. The mouse steps are sent apart, as a hand makes them: Wine
// brings a program's button state up to the desktop's when input arrives, and input sent all
// at once would show the button released before the program has seen the moves before it.
enum KeyModifier { kShift = 1, kControl = 2, kAlt = 4 };
bool PressKey(HWND window, WORD virtualKey, int modifiers = 0);
bool DoubleClickLine(HWND list, int line);
bool RightPress(HWND from, int line, HWND to);
bool RightRelease(HWND to, bool shift = false);
bool RightDrag(HWND from, int line, HWND to, bool shift = false);

// List boxes (with strings): the item count, the item texts and the selected indexes; a
// selection made as a click makes it, told to the list's parent; a line's rectangle in the
// list's client coordinates (empty when there is none).
int ListBoxCount(HWND list);
std::vector<std::string> ListBoxTexts(HWND list);
std::vector<int> ListBoxSelection(HWND list);
bool SelectLines(HWND list, const std::vector<int>& lines);
RECT ListItemRect(HWND list, int index);

// Dialogs: the texts of their static controls joined by newlines; a button press posted
// (for buttons that open a modal box) or sent (returns when the dialog has handled it); a
// press that waits until the box has gone; text typed into an edit (or a combo box's edit)
// with the notices typing gives; a combo box choice told to the dialog.
std::string DialogText(HWND dialog);
bool PressButton(HWND dialog, int id);
bool Click(HWND dialog, int id);
bool CloseBox(HWND box, int id = IDOK, DWORD ms = kDefaultWaitMs);
void Type(HWND dialog, int id, const std::string& text);
void Choose(HWND dialog, int id, int index);
bool IsEnabled(HWND dialog, int id);

// The text on the system clipboard (CF_TEXT), or "".
std::string ClipboardText();

// Menus, read inside the program's own process through the probe library (menus are per
// process under Wine). `initPosition` >= 0 first lets the window enable that pop-up of its
// menu bar, as when the user opens it.
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
// The items of the pop-up at `position`, enabled as when the user opens it (empty when unread).
std::vector<MenuItem> Popup(HWND window, int position);

// The program's database windows. HandOver gives a file name as another instance does; it
// returns when the program has tried to open it, or at once (from a thread of its own) when
// not `wait`, as a load may stop at a dialog the test must answer first.
bool HandOver(HWND frame, const std::string& fileName, bool wait = true);
HWND MdiClientOf(HWND frame);
// The windows of class "RefChild" in the MDI client, in Z order (the active first).
std::vector<HWND> DatabaseWindows(HWND frame);
HWND ActiveDatabaseWindow(HWND frame);
bool ActivateDatabaseWindow(HWND frame, HWND window);
bool WaitForDatabaseWindows(HWND frame, size_t count, DWORD ms = kDefaultWaitMs);
// The database window titled `title` (compared ignoring case), waiting up to `ms`; or null.
HWND DatabaseWindowTitled(HWND frame, const std::string& title, DWORD ms = 0);
HWND ListOf(HWND databaseWindow);
bool ToolbarButtonEnabled(HWND frame, int command);
std::string StatusText(HWND frame);

// Saves the whole screen as a BMP file; saves `width` x `height` pixels at (x, y) of `source`
// as a 24-bit BMP file (`colours` receives the number of different colours in it); counts the
// pixels of `area` (client coordinates of `window`) that show `colour` on the screen.
bool SaveScreenshot(const std::string& path);
bool SaveArea(HDC source, int x, int y, int width, int height, const std::string& path,
              size_t* colours = nullptr);
int CountPixels(HWND window, const RECT& area, COLORREF colour);
// Whether a list's line shows `colour` once painted, waiting a second for it to be `expected`.
bool LineShows(HWND list, int line, COLORREF colour, bool expected = true);

// The host system: runs a command line of its shell (not a Windows program) and waits until it
// is done; the host's path of a Windows path (empty when there is none).
bool RunHostCommand(const std::string& commandLine);
std::string HostPathOf(const std::string& path);

// A PostScript printer of Wine's generic driver (A4, 300 dpi) that writes each job to the
// host file `hostOutput`, made the default printer; and its removal, which leaves the system
// without a default printer.
bool InstallFilePrinter(const std::string& hostOutput);
void RemoveFilePrinter();

}  // namespace ui

#endif
