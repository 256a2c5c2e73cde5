// Driving the program's file transfers from a test: the common file dialogs, the format
// choice, the database windows that a transfer opens, files to load, and pictures of dialogs.
#ifndef CARTULAN_TESTS_UI_TRANSFER_DRIVER_H
#define CARTULAN_TESTS_UI_TRANSFER_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "program_test.h"
#include "ui_harness.h"

namespace transfer_ui {

// Polls `done` every 20 ms; false when it is still false after `ms`.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = ui::kDefaultWaitMs);

// The visible dialog or message box of `pid` titled `title`; null after `ms`.
HWND WaitForDialogTitled(DWORD pid, const std::string& title, DWORD ms = ui::kDefaultWaitMs);

// A visible message box or modal dialog of `pid` (one with a button, unlike a progress
// window); null after `ms`.
HWND WaitForMessageBox(DWORD pid, DWORD ms = ui::kDefaultWaitMs);

// A message box's title and text, "title|text".
std::string MessageText(HWND box);
// Presses `button` of `box` and waits until the box is gone.
void Dismiss(HWND box, int button);
// The text of the next message box of `pid` (see MessageText), answered with `button`; empty
// when none came.
std::string AnswerMessage(DWORD pid, int button);
// Whether control `id` of `dialog` is enabled.
bool IsEnabled(HWND dialog, int id);

// Types `name` into the file name field of an open or save dialog and presses its OK.
bool ChooseFile(HWND dialog, const std::string& name);

// The database window of the frame titled `title` (a file name: compared ignoring case).
HWND WaitForDatabaseWindow(HWND frame, const std::string& title, DWORD ms = ui::kDefaultWaitMs);
// The number of lines of a database window's list.
int LineCount(HWND databaseWindow);

// Selects line `index` of a format choice list as a click does, and double-clicks at a
// point of the list (client coordinates).
void SelectFormat(HWND dialog, int index);
void DoubleClickList(HWND dialog, int x, int y);

// Saves a picture of `window` as <shots>\<name>.bmp.
bool SaveWindowShot(HWND window, const std::string& name);

// Files: the whole contents, and a refer file of `count` numbered references written with
// the platform's line ends ("%A Author00001, A." ... ).
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& text);
std::string ReferText(int first, int count);
// A path in tests/data of the source tree.
std::string DataFile(const std::string& name);

// Hands `name` over to the running program as ui::HandOver does, without waiting for the
// load, which may stop at a message box or a dialog.
void HandOverNoWait(HWND frame, const std::string& name);

// The fixture of the transfer tests: a temporary folder for each test, removed afterwards
// with the small file system a test may have mounted in it; the help the program opens is
// written to a log there instead of being shown.
class TransferUiTest : public ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return dir_ + "\\" + name; }
    // The dialog titled `title`; a failure and null when it does not come.
    HWND Dialog(const std::string& title);
    // Writes `count` references to `file`, starts the program and has it open the file. The
    // file's database window with every line, and `frame`; null after a failure.
    HWND LaunchWithFile(const std::string& file, int count, HWND& frame);
    // The sections of the manual the program opened so far, waiting until there are `count`.
    std::vector<std::string> HelpOpened(size_t count);
    // Mounts a file system of 64 KB on the new folder `name`. False when that cannot be done
    // here (the host does not allow it).
    bool MountSmallFileSystem(const std::string& name);

    std::string dir_;

private:
    std::string mounted_;  // the folder of the small file system
};

}  // namespace transfer_ui

#endif
