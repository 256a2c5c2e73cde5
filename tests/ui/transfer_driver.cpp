#include "transfer_driver.h"

#include <dlgs.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "ids.h"

namespace transfer_ui {

bool WaitUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(20);
    }
}

namespace {

// The first of `windows()` for which `matches` holds, asking again until `ms` have passed.
HWND WaitForWindow(const std::function<std::vector<HWND>()>& windows,
                   const std::function<bool(HWND)>& matches, DWORD ms)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : windows()) {
            if (matches(window))
                return (found = window) != nullptr;
        }
        return false;
    }, ms);
    return found;
}

bool IsVisibleDialog(HWND window)
{
    return ui::ClassOf(window) == "#32770" && IsWindowVisible(window);
}

}  // namespace

HWND WaitForDialogTitled(DWORD pid, const std::string& title, DWORD ms)
{
    return WaitForWindow([pid] { return ui::TopLevelWindowsOf(pid); },
                         [&](HWND w) { return IsVisibleDialog(w) && ui::TextOf(w) == title; }, ms);
}

HWND WaitForMessageBox(DWORD pid, DWORD ms)
{
    return WaitForWindow([pid] { return ui::TopLevelWindowsOf(pid); }, [](HWND w) {
        return IsVisibleDialog(w) && ui::FindChildByClass(w, "Button") != nullptr;
    }, ms);
}

std::string MessageText(HWND box)
{
    return box ? ui::TextOf(box) + "|" + ui::DialogText(box) : "";
}

void Dismiss(HWND box, int button)
{
    ui::PressButton(box, button);
    WaitUntil([&] { return !IsWindow(box); });
}

std::string AnswerMessage(DWORD pid, int button)
{
    HWND box = WaitForMessageBox(pid);
    const std::string text = MessageText(box);
    if (box)
        Dismiss(box, button);
    return text;
}

bool IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

namespace {

// The file name field: an edit of its own in the older dialogs, the edit of a combo box
// (itself inside an extended combo box) in the explorer-style ones.
HWND FileNameField(HWND window)
{
    for (HWND child : ui::ChildrenOf(window)) {
        const int id = GetDlgCtrlID(child);
        if (ui::ClassOf(child) == "Edit" && (id == edt1 || id == cmb13))
            return child;
        if (HWND edit = FileNameField(child))
            return edit;
    }
    return nullptr;
}

}  // namespace

bool ChooseFile(HWND dialog, const std::string& name)
{
    HWND field = FileNameField(dialog);
    if (!field)
        return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()),
                             SMTO_NORMAL, ui::kDefaultWaitMs, &result))
        return false;
    return ui::PressButton(dialog, IDOK);
}

HWND WaitForDatabaseWindow(HWND frame, const std::string& title, DWORD ms)
{
    return WaitForWindow([frame] { return ui::DatabaseWindows(frame); }, [&](HWND w) {
        return lstrcmpiA(ui::TextOf(w).c_str(), title.c_str()) == 0;
    }, ms);
}

int LineCount(HWND databaseWindow)
{
    HWND list = ui::ListOf(databaseWindow);
    return list ? ui::ListBoxCount(list) : -1;
}

namespace {

void PostMouse(HWND window, UINT message, int x, int y)
{
    const WPARAM keys = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    PostMessageA(window, message, keys, MAKELPARAM(x, y));
}

}  // namespace

void SelectFormat(HWND dialog, int index)
{
    HWND list = GetDlgItem(dialog, IDC_IMPOPT_LIST);
    DWORD_PTR height = 0;
    SendMessageTimeoutA(list, LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, ui::kDefaultWaitMs, &height);
    const int y = index * static_cast<int>(height) + static_cast<int>(height) / 2;
    PostMouse(list, WM_LBUTTONDOWN, 10, y);
    PostMouse(list, WM_LBUTTONUP, 10, y);
}

void DoubleClickList(HWND dialog, int x, int y)
{
    HWND list = GetDlgItem(dialog, IDC_IMPOPT_LIST);
    PostMouse(list, WM_LBUTTONDOWN, x, y);
    PostMouse(list, WM_LBUTTONUP, x, y);
    PostMouse(list, WM_LBUTTONDBLCLK, x, y);
    PostMouse(list, WM_LBUTTONUP, x, y);
}

bool SaveWindowShot(HWND window, const std::string& name)
{
    // Have the window and its children painted first.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ui::kDefaultWaitMs, &result);
    Sleep(100);
    RECT rc = {};
    GetWindowRect(window, &rc);
    HDC screen = GetDC(nullptr);
    const bool saved = ui::SaveArea(screen, rc.left, rc.top, rc.right - rc.left,
                                    rc.bottom - rc.top, ui::ShotsDir() + "\\" + name + ".bmp");
    ReleaseDC(nullptr, screen);
    return saved;
}

std::string ReadFile(const std::string& path)
{
    return ui::FileText(path);
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

std::string ReferText(int first, int count)
{
    std::string text;
    char record[200];
    for (int i = first; i < first + count; ++i) {
        std::snprintf(record, sizeof record,
                      "%%A Author%05d, A.\r\n%%D %d\r\n%%T Title number %d\r\n%%J Journal\r\n\r\n",
                      i, 1950 + i % 70, i);
        text += record;
    }
    return text;
}

std::string DataFile(const std::string& name)
{
    std::string path = std::string(CARTULAN_TEST_DATA_DIR) + "\\" + name;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

void HandOverNoWait(HWND frame, const std::string& name)
{
    // The message is sent from a thread of its own: a timed-out send may never be delivered,
    // and the load may end in a message box that the test answers while the send waits.
    std::thread([frame, name] {
        COPYDATASTRUCT data = {};
        data.dwData = CMD_FILE_OPEN;
        data.cbData = static_cast<DWORD>(name.size());
        data.lpData = const_cast<char*>(name.data());
        SendMessageA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }).detach();
}

namespace {

// Whether 128 KB fit in `directory`: they do not on the small file system.
bool FitsIn(const std::string& directory)
{
    const std::string probe = directory + "\\probe";
    const bool fits = WriteFile(probe, std::string(128 * 1024, 'x'));
    DeleteFileA(probe.c_str());
    return fits;
}

}  // namespace

constexpr char kHelpLogSetting[] = "CARTULAN_HELP_LOG";

void TransferUiTest::SetUp()
{
    ProgramTest::SetUp();
    dir_ = ui::MakeTempDir("transfer");
    ASSERT_FALSE(dir_.empty());
    SetEnvironmentVariableA(kHelpLogSetting, Path("help.log").c_str());
}

void TransferUiTest::TearDown()
{
    SetEnvironmentVariableA(kHelpLogSetting, nullptr);
    ProgramTest::TearDown();
    if (!mounted_.empty()) {
        ui::RunHostCommand("umount -l '" + ui::HostPathOf(mounted_) + "'");
        WaitUntil([&] { return FitsIn(mounted_); }, 3000);
    }
    ui::RemoveDirTree(dir_);
}

HWND TransferUiTest::Dialog(const std::string& title)
{
    HWND dialog = WaitForDialogTitled(program_.Pid(), title);
    if (!dialog)
        ADD_FAILURE() << "no dialog \"" << title << "\"\n" << ui::DescribeWindowsOf(program_.Pid());
    return dialog;
}

HWND TransferUiTest::LaunchWithFile(const std::string& file, int count, HWND& frame)
{
    frame = WriteFile(file, ReferText(0, count)) ? Launch() : nullptr;
    if (!frame || !ui::HandOver(frame, file))
        return nullptr;
    HWND window = WaitForDatabaseWindow(frame, file);
    if (!window || !WaitUntil([&] { return LineCount(window) == count; })) {
        ADD_FAILURE() << "no window with " << count << " lines of " << file << "\n"
                      << ui::DescribeWindowsOf(program_.Pid());
        return nullptr;
    }
    return window;
}

std::vector<std::string> TransferUiTest::HelpOpened(size_t count)
{
    std::vector<std::string> sections;
    WaitUntil([&] {
        sections.clear();
        std::istringstream lines(ReadFile(Path("help.log")));
        for (std::string line; std::getline(lines, line);) {
            line.erase(line.find_last_not_of('\r') + 1);
            sections.push_back(line.substr(line.find('#') + 1));
        }
        return sections.size() >= count;
    }, 3000);
    return sections;
}

bool TransferUiTest::MountSmallFileSystem(const std::string& name)
{
    const std::string folder = Path(name);
    const std::string host = CreateDirectoryA(folder.c_str(), nullptr) ? ui::HostPathOf(folder) : "";
    if (host.empty())
        return false;
    mounted_ = folder;
    ui::RunHostCommand("mount -t tmpfs -o size=64k tmpfs '" + host + "'");
    // The command may end before the mount is in place.
    return WaitUntil([&] { return !FitsIn(folder); }, 3000);
}

}  // namespace transfer_ui
