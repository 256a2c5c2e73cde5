#include "ui_harness.h"

#include <winspool.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "ids.h"
#include "probe/ui_probe.h"

namespace ui {

namespace {

std::string ParentDir(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// SendMessageTimeout with the usual wait; the result, or `failed` when there was no answer.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failed = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kDefaultWaitMs, &result))
        return failed;
    return static_cast<LRESULT>(result);
}

}  // namespace

std::string TestProgramDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return ParentDir(path);
}

std::string DeliverablesDir()
{
    return ParentDir(TestProgramDir()) + "\\bin";
}

std::string ProgramPath()
{
    return DeliverablesDir() + "\\CARTUL32.EXE";
}

std::string ShotsDir()
{
    std::string dir = ParentDir(TestProgramDir()) + "\\test-shots";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string MakeTempDir(const std::string& label)
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    for (unsigned n = GetTickCount();; ++n) {
        std::string dir = std::string(base) + "cartulan-" + label + "-" + std::to_string(n);
        if (CreateDirectoryA(dir.c_str(), nullptr))
            return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
}

void RemoveDirTree(const std::string& dir)
{
    std::error_code ignored;
    if (!dir.empty())
        std::filesystem::remove_all(dir, ignored);
}

bool CopyFileTo(const std::string& from, const std::string& toDir)
{
    std::string name = from.substr(from.find_last_of("\\/") + 1);
    return CopyFileA(from.c_str(), (toDir + "\\" + name).c_str(), FALSE) != 0;
}

bool CopyProgramTo(const std::string& dir,
                   const std::vector<std::pair<std::string, std::string>>& extra)
{
    bool copied = CopyFileTo(ProgramPath(), dir);
    for (const char* name : {"CARTIO.DLL", "CTNEN.DLL", "REFER.FLT"})
        copied = copied && CopyFileTo(DeliverablesDir() + "\\" + name, dir);
    for (const auto& file : extra)
        copied = copied && CopyFileA(file.first.c_str(), (dir + "\\" + file.second).c_str(), FALSE);
    return copied;
}

// --- Settings and files -------------------------------------------------------------------

void RemoveProgramSettings()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\NWPL\\Cartulan");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\NWPL\\Cartulan");
}

bool SetProgramSetting(const std::string& section, const std::string& key, const std::string& value)
{
    std::string path = "Software\\NWPL\\Cartulan\\" + section;
    return RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), key.c_str(), REG_SZ, value.c_str(),
                           static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

std::string ReadProgramSetting(const std::string& section, const std::string& key)
{
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    std::string path = "Software\\NWPL\\Cartulan\\" + section;
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), key.c_str(), RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return kMissing;
    return value;
}

std::string FileText(const std::string& path)
{
    // Read with every kind of sharing, so that the program may replace the file meanwhile.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return text;
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
                      "%%A Author%d, A\r\n%%D %d\r\n%%T A paper %d\r\n%%J Journal\r\n\r\n",
                      1000 + i, 1900 + i % 100, 1000 + i);
        text += record;
    }
    return text;
}

// --- RunningProgram -------------------------------------------------------------------------

bool RunningProgram::Start(const std::string& exe, const std::vector<std::string>& args,
                           const std::string& workDir)
{
    std::string commandLine = '"' + exe + '"';
    for (const std::string& arg : args)
        commandLine += " \"" + arg + '"';
    std::string dir = workDir.empty() ? ParentDir(exe) : workDir;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        dir.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    return true;
}

bool RunningProgram::IsRunning() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

int RunningProgram::WaitForExit(DWORD ms)
{
    if (!process_ || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0)
        return kExitTimedOut;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

void RunningProgram::Kill()
{
    if (process_)
        TerminateProcess(process_, 99);
}

void RunningProgram::Terminate()
{
    if (IsRunning()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    if (process_)
        CloseHandle(process_);
    process_ = nullptr;
}

// --- Windows --------------------------------------------------------------------------------

std::string TextOf(HWND window)
{
    char text[1024] = {};
    DWORD_PTR length = 0;
    // WM_GETTEXT through a timeout, so a hung program cannot block the test.
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &length))
        return "";
    return std::string(text, length);
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> ChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid)
{
    std::vector<HWND> windows;
    for (HWND window : ChildrenOf(GetDesktopWindow())) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid)
            windows.push_back(window);
    }
    return windows;
}

HWND FindChildByClass(HWND parent, const std::string& className)
{
    for (HWND child : ChildrenOf(parent)) {
        if (lstrcmpiA(ClassOf(child).c_str(), className.c_str()) == 0)
            return child;
    }
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms)
{
    for (const DWORD start = GetTickCount();; Sleep(20)) {
        if (done())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
    }
}

HWND WaitForWindow(DWORD pid, const std::function<bool(HWND)>& match, DWORD ms)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : TopLevelWindowsOf(pid)) {
            if (match(window))
                return (found = window) != nullptr;
        }
        return false;
    }, ms);
    return found;
}

HWND WaitForTopLevelWindow(DWORD pid, const std::string& className, DWORD ms)
{
    return WaitForWindow(pid, [&](HWND w) { return ClassOf(w) == className; }, ms);
}

HWND WaitForTitledWindow(DWORD pid, const std::string& title, DWORD ms)
{
    return WaitForWindow(pid, [&](HWND w) { return IsWindowVisible(w) && TextOf(w) == title; }, ms);
}

HWND WaitForDialog(DWORD pid, DWORD ms, HWND except, const std::string& title)
{
    return WaitForWindow(pid, [&](HWND w) {
        return w != except && ClassOf(w) == "#32770" && IsWindowVisible(w) && IsWindowEnabled(w) &&
               FindChildByClass(w, "Button") && (title.empty() || TextOf(w) == title);
    }, ms);
}

std::string WaitForText(HWND window, const std::string& expected, DWORD ms)
{
    std::string text;
    WaitUntil([&] { return (text = TextOf(window)) == expected; }, ms);
    return text;
}

namespace {

void DescribeTree(HWND window, int depth, std::ostringstream& out)
{
    RECT rc = {};
    GetWindowRect(window, &rc);
    out << std::string(depth * 2, ' ') << "[" << ClassOf(window) << "] \"" << TextOf(window)
        << "\" id=" << GetDlgCtrlID(window) << (IsWindowVisible(window) ? " visible" : " hidden")
        << (IsWindowEnabled(window) ? "" : " disabled") << " at (" << rc.left << "," << rc.top
        << ")-(" << rc.right << "," << rc.bottom << ")\n";
    if (depth < 4) {
        for (HWND child : ChildrenOf(window))
            DescribeTree(child, depth + 1, out);
    }
}

}  // namespace

std::string DescribeWindowsOf(DWORD pid)
{
    std::ostringstream out;
    std::vector<HWND> windows = TopLevelWindowsOf(pid);
    out << "windows of process " << pid << ": " << windows.size() << "\n";
    for (HWND window : windows)
        DescribeTree(window, 1, out);
    return out.str();
}

bool SendCommand(HWND window, int command, DWORD ms)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL, ms,
                               &result) != 0;
}

bool PostCommand(HWND window, int command)
{
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0) != 0;
}

bool PostClose(HWND window)
{
    return PostMessageA(window, WM_CLOSE, 0, 0) != 0;
}

bool Sync(HWND window)
{
    return Ask(window, WM_NULL, 0, 0, -1) != -1;
}

// --- Input ----------------------------------------------------------------------------------

namespace {

INPUT Key(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

bool PressKey(HWND window, WORD virtualKey, int modifiers)
{
    // The keys go to the foreground window, so make sure it is this one first, and that its
    // thread has taken the activation (keys sent before that may go nowhere).
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    bool active = WaitUntil([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) && info.hwndActive == window)
            return true;
        SetForegroundWindow(window);
        return false;
    });
    // The modifiers go down in the order Shift, Ctrl, Alt, and up in the reverse order.
    const WORD keys[] = {VK_SHIFT, VK_CONTROL, VK_MENU, virtualKey, virtualKey, VK_MENU, VK_CONTROL, VK_SHIFT};
    std::vector<INPUT> inputs;
    for (int i = 0; i < 8; ++i) {
        const int modifier = i < 3 ? i : 7 - i;
        if (i == 3 || i == 4 || (modifiers & (1 << modifier)))
            inputs.push_back(Key(keys[i], i >= 4));
    }
    return active && SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

namespace {

// Sends one step of mouse or key input, then gives the program time to see it.
bool Send(INPUT input, bool pause = true)
{
    bool sent = SendInput(1, &input, sizeof input) == 1;
    if (pause)
        Sleep(30);
    return sent;
}

bool Mouse(POINT at, DWORD flags, bool pause = true)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return Send(input, pause);
}

// The middle of a list's line, and a third of the way down the middle of a window, on the
// screen.
POINT LinePoint(HWND list, int line)
{
    RECT item = ListItemRect(list, line);
    POINT at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &at);
    return at;
}

POINT DropPoint(HWND window)
{
    RECT area;
    GetClientRect(window, &area);
    POINT at = {area.right / 2, area.bottom / 3};
    ClientToScreen(window, &at);
    return at;
}

}  // namespace

bool DoubleClickLine(HWND list, int line)
{
    POINT at = LinePoint(list, line);
    return Mouse(at, 0) && Mouse(at, MOUSEEVENTF_LEFTDOWN) && Mouse(at, MOUSEEVENTF_LEFTUP) &&
           Mouse(at, MOUSEEVENTF_LEFTDOWN) && Mouse(at, MOUSEEVENTF_LEFTUP, false);
}

bool RightPress(HWND from, int line, HWND to)
{
    POINT start = LinePoint(from, line), end = DropPoint(to);
    return Mouse(start, 0) && Mouse(start, MOUSEEVENTF_RIGHTDOWN) &&
           Mouse({(start.x + end.x) / 2, (start.y + end.y) / 2}, 0) && Mouse(end, 0);
}

bool RightRelease(HWND to, bool shift)
{
    return (!shift || Send(Key(VK_SHIFT, false))) && Mouse(DropPoint(to), MOUSEEVENTF_RIGHTUP, shift) &&
           (!shift || Send(Key(VK_SHIFT, true)));
}

bool RightDrag(HWND from, int line, HWND to, bool shift)
{
    return RightPress(from, line, to) && RightRelease(to, shift);
}

// --- Lists and dialogs ----------------------------------------------------------------------

int ListBoxCount(HWND list)
{
    return static_cast<int>(Ask(list, LB_GETCOUNT, 0, 0, -1));
}

std::vector<std::string> ListBoxTexts(HWND list)
{
    std::vector<std::string> texts;
    for (int i = 0, count = ListBoxCount(list); i < count; ++i) {
        // Asked in wide characters: between processes Wine copies a list box's text back as
        // wide characters even to an ANSI caller.
        std::wstring wide(static_cast<size_t>(Ask(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]), SMTO_NORMAL,
                            kDefaultWaitMs, &copied);
        wide.resize(copied == static_cast<DWORD_PTR>(LB_ERR) ? 0 : copied);
        texts.emplace_back(wide.size() * 2 + 1, '\0');
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                        &texts.back()[0], static_cast<int>(texts.back().size()),
                                        nullptr, nullptr);
        texts.back().resize(bytes > 0 ? bytes : 0);
    }
    return texts;
}

std::vector<int> ListBoxSelection(HWND list)
{
    std::vector<int> selected;
    for (int i = 0, count = ListBoxCount(list); i < count; ++i) {
        if (Ask(list, LB_GETSEL, i, 0) > 0)
            selected.push_back(i);
    }
    return selected;
}

bool SelectLines(HWND list, const std::vector<int>& lines)
{
    bool answered = Ask(list, LB_SETSEL, FALSE, -1, LB_ERR) != LB_ERR;
    for (int line : lines)
        answered = answered && Ask(list, LB_SETSEL, TRUE, line, LB_ERR) != LB_ERR;
    return answered && Ask(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list), -1) != -1;
}

RECT ListItemRect(HWND list, int index)
{
    RECT rc = {};
    if (Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc),
            LB_ERR) == LB_ERR)
        return RECT{};
    return rc;
}

std::string DialogText(HWND dialog)
{
    std::string text;
    for (HWND child : ChildrenOf(dialog)) {
        if (lstrcmpiA(ClassOf(child).c_str(), "Static") != 0)
            continue;
        std::string part = TextOf(child);
        if (part.empty())
            continue;
        if (!text.empty())
            text += '\n';
        text += part;
    }
    return text;
}

bool PressButton(HWND dialog, int id)
{
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))) != 0;
}

bool Click(HWND dialog, int id)
{
    return dialog && Ask(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), -1) != -1;
}

bool CloseBox(HWND box, int id, DWORD ms)
{
    return box && PressButton(box, id) && WaitUntil([box] { return !IsWindow(box); }, ms);
}

void Type(HWND dialog, int id, const std::string& text)
{
    HWND control = GetDlgItem(dialog, id);
    // A combo box is typed into its edit field. A replaced selection is reported as typing
    // is; a text set whole is not, by multi-line edits.
    if (HWND edit = FindWindowExA(control, nullptr, "Edit", nullptr))
        control = edit;
    Ask(control, EM_SETSEL, 0, -1);
    Ask(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Choose(HWND dialog, int id, int index)
{
    HWND combo = GetDlgItem(dialog, id);
    Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Ask(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

bool IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::string ClipboardText()
{
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

// --- Menus through the probe ---------------------------------------------------------------

namespace {

std::string g_probeAnswer;
bool g_probeAnswered = false;

LRESULT CALLBACK ReplyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (message != WM_COPYDATA || data->dwData != UI_PROBE_ANSWER_TAG)
        return DefWindowProcA(window, message, wParam, lParam);
    g_probeAnswer.assign(static_cast<const char*>(data->lpData), data->cbData);
    g_probeAnswered = true;
    return TRUE;
}

HWND ReplyWindow()
{
    static HWND reply = nullptr;
    if (!reply) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ReplyWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CartulanUiProbeReply";
        RegisterClassA(&wc);
        reply = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
    }
    return reply;
}

// Hooks the probe into the window's thread for one request and returns its answer.
bool AskProbe(HWND window, WPARAM request, std::string& answer)
{
    static HMODULE probe = LoadLibraryA((TestProgramDir() + "\\UIPROBE.DLL").c_str());
    auto hookProc = probe ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                GetProcAddress(probe, UI_PROBE_HOOK_EXPORT)))
                          : nullptr;
    HHOOK hook = hookProc ? SetWindowsHookExA(WH_CALLWNDPROC, hookProc, probe,
                                              GetWindowThreadProcessId(window, nullptr))
                          : nullptr;
    if (!hook)
        return false;
    g_probeAnswered = false;
    Ask(window, RegisterWindowMessageA(UI_PROBE_MESSAGE), request,
        reinterpret_cast<LPARAM>(ReplyWindow()));
    UnhookWindowsHookEx(hook);
    answer = g_probeAnswer;
    return g_probeAnswered;
}

// Parses the probe's "depth TAB id TAB flags TAB text" lines into a tree.
void ParseMenuDump(const std::string& dump, std::vector<MenuItem>& bar)
{
    std::vector<std::vector<MenuItem>*> levels{&bar};
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1), t3 = line.find('\t', t2 + 1);
        if (t3 == std::string::npos)
            continue;
        size_t depth = std::stoul(line.substr(0, t1));
        MenuItem item;
        item.id = std::stoi(line.substr(t1 + 1, t2 - t1 - 1));
        std::string flags = line.substr(t2 + 1, t3 - t2 - 1);
        item.text = line.substr(t3 + 1);
        item.popup = flags.find('P') != std::string::npos;
        item.separator = flags.find('S') != std::string::npos;
        item.grayed = flags.find('G') != std::string::npos;
        item.checked = flags.find('C') != std::string::npos;
        if (depth + 1 > levels.size())
            continue;
        levels.resize(depth + 1);
        levels[depth]->push_back(item);
        levels.push_back(&levels[depth]->back().items);
    }
}

}  // namespace

bool ReadMenuBar(HWND window, std::vector<MenuItem>& bar, int initPosition)
{
    WPARAM request = initPosition < 0
                         ? UI_PROBE_REQUEST(UI_PROBE_DUMP_MENU, 0)
                         : UI_PROBE_REQUEST(UI_PROBE_INIT_AND_DUMP_MENU, initPosition);
    std::string dump;
    if (!AskProbe(window, request, dump))
        return false;
    bar.clear();
    ParseMenuDump(dump, bar);
    return true;
}

std::vector<MenuItem> Popup(HWND window, int position)
{
    std::vector<MenuItem> bar;
    if (!ReadMenuBar(window, bar, position) || static_cast<size_t>(position) >= bar.size())
        return {};
    return bar[static_cast<size_t>(position)].items;
}

// --- Database windows -----------------------------------------------------------------------

bool HandOver(HWND frame, const std::string& fileName, bool wait)
{
    auto send = [frame, fileName] {
        COPYDATASTRUCT data = {CMD_FILE_OPEN, static_cast<DWORD>(fileName.size()),
                               const_cast<char*>(fileName.data())};
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                   SMTO_NORMAL, 30000, &result) != 0;
    };
    if (wait)
        return send();
    // A timed-out send may never be delivered: this one waits in a thread of its own while
    // the test answers what the load asks.
    std::thread(send).detach();
    return true;
}

HWND MdiClientOf(HWND frame)
{
    return FindChildByClass(frame, "MDIClient");
}

std::vector<HWND> DatabaseWindows(HWND frame)
{
    std::vector<HWND> windows;
    for (HWND child : ChildrenOf(MdiClientOf(frame))) {
        if (ClassOf(child) == "RefChild")
            windows.push_back(child);
    }
    return windows;
}

HWND ActiveDatabaseWindow(HWND frame)
{
    return reinterpret_cast<HWND>(Ask(MdiClientOf(frame), WM_MDIGETACTIVE, 0, 0));
}

bool ActivateDatabaseWindow(HWND frame, HWND window)
{
    return Ask(MdiClientOf(frame), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0, -1) != -1;
}

bool WaitForDatabaseWindows(HWND frame, size_t count, DWORD ms)
{
    return WaitUntil([&] { return DatabaseWindows(frame).size() == count; }, ms);
}

HWND DatabaseWindowTitled(HWND frame, const std::string& title, DWORD ms)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : DatabaseWindows(frame)) {
            if (lstrcmpiA(TextOf(window).c_str(), title.c_str()) == 0)
                return (found = window) != nullptr;
        }
        return false;
    }, ms);
    return found;
}

HWND ListOf(HWND databaseWindow)
{
    return GetDlgItem(databaseWindow, IDC_DBWIN_LIST);
}

bool ToolbarButtonEnabled(HWND frame, int command)
{
    return Ask(GetDlgItem(frame, IDC_TOOLBAR), TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0);
}

std::string StatusText(HWND frame)
{
    return TextOf(GetDlgItem(frame, IDC_STATUS_BAR));
}

// --- Screenshots --------------------------------------------------------------------------

namespace {

// The colours of an area of `source` (0x00RRGGBB, bottom row first), and the 24-bit bottom-up
// rows of a BMP file with the header that describes them.
struct Capture {
    BITMAPINFOHEADER header = {};
    std::vector<BYTE> rows;
    std::vector<COLORREF> colours;
};

Capture CaptureArea(HDC source, int x, int y, int width, int height)
{
    Capture capture;
    capture.header = {static_cast<DWORD>(sizeof capture.header), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, reinterpret_cast<BITMAPINFO*>(&capture.header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || width <= 0 || height <= 0)
        return capture;
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    GdiFlush();
    const BYTE* pixels = static_cast<const BYTE*>(bits);
    capture.rows.assign(pixels, pixels + rowBytes * static_cast<DWORD>(height));
    for (int row = 0; row < height; ++row) {
        for (const BYTE* p = pixels + row * rowBytes; p < pixels + row * rowBytes + width * 3; p += 3)
            capture.colours.push_back(RGB(p[2], p[1], p[0]));
    }
    DeleteObject(bitmap);
    return capture;
}

}  // namespace

bool SaveArea(HDC source, int x, int y, int width, int height, const std::string& path,
              size_t* colours)
{
    Capture capture = CaptureArea(source, x, y, width, height);
    if (colours)
        *colours = std::set<COLORREF>(capture.colours.begin(), capture.colours.end()).size();
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof capture.header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(capture.rows.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&capture.header), sizeof capture.header);
    bytes.append(capture.rows.begin(), capture.rows.end());
    return !capture.rows.empty() && WriteFile(path, bytes);
}

int CountPixels(HWND window, const RECT& area, COLORREF colour)
{
    POINT origin = {area.left, area.top};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    Capture capture = CaptureArea(screen, origin.x, origin.y, area.right - area.left,
                                  area.bottom - area.top);
    ReleaseDC(nullptr, screen);
    return static_cast<int>(std::count(capture.colours.begin(), capture.colours.end(), colour));
}

bool LineShows(HWND list, int line, COLORREF colour, bool expected)
{
    bool shows = !expected;
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    WaitUntil([&] {
        Sync(list);
        return (shows = CountPixels(list, ListItemRect(list, line), colour) > 0) == expected;
    }, 1000);
    return shows;
}

bool SaveScreenshot(const std::string& path)
{
    HDC screen = GetDC(nullptr);
    bool saved = SaveArea(screen, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                          GetSystemMetrics(SM_CYSCREEN), path);
    ReleaseDC(nullptr, screen);
    return saved;
}

// --- The host system and the test printer ----------------------------------------------------

bool RunHostCommand(const std::string& commandLine)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string done = std::string(temp) + "cartulan-host-done";
    DeleteFileA(done.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = "/bin/sh -c \"" + commandLine + "; touch '" + HostPathOf(done) + "'\"";
    // Wine starts a program of the host system that it is given by its path, but does not
    // wait for it: the command leaves a file when it is done.
    if (!CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                     15000);
}

// The host system's path of a Windows path; empty when there is none.
std::string HostPathOf(const std::string& path)
{
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto convert = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return "";
    std::wstring wide(path.begin(), path.end());
    char* unixName = convert(wide.c_str());
    if (!unixName)
        return "";
    std::string result = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

namespace {

constexpr char kTestPrinter[] = "Cartulan Test Printer";
constexpr char kTestDriver[] = "Cartulan Test PostScript";
// The generic driver takes the page and the resolution from a PPD; without one the device has
// no pixels.
constexpr char kTestPpd[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"CARTTEST.PPD\"\n"
    "*Manufacturer: \"Cartulan\"\n*Product: \"(Cartulan Test)\"\n*ModelName: \"Cartulan Test\"\n"
    "*NickName: \"Cartulan Test\"\n*ShortNickName: \"Cartulan Test\"\n"
    "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: False\n"
    "*DefaultColorSpace: Gray\n*TTRasterizer: Type42\n*DefaultResolution: 300dpi\n"
    "*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImageableArea null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n"
    "*DefaultFont: Helvetica\n*Font Helvetica: Standard \"(001.006)\" Standard ROM\n";

}  // namespace

bool InstallFilePrinter(const std::string& hostOutput)
{
    RemoveFilePrinter();
    char driverDir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driverDir),
                                    sizeof driverDir, &needed))
        return false;
    const std::string ppd = std::string(driverDir) + "\\CARTTEST.PPD";
    HANDLE file = CreateFileA(ppd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    ::WriteFile(file, kTestPpd, sizeof kTestPpd - 1, &written, nullptr);
    CloseHandle(file);
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kTestDriver);
    driver.pEnvironment = const_cast<char*>("Windows NT x86");
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("CARTTEST.PPD");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)))
        return false;
    std::string port = "|cat > '" + hostOutput + "'";
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(kTestPrinter);
    info.pPortName = &port[0];
    info.pDriverName = const_cast<char*>(kTestDriver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer)
        return false;
    // As a PostScript printer is set up on Windows: Arial prints in the printer's Helvetica,
    // so that the job needs no font of its own.
    char helvetica[] = "Helvetica";
    SetPrinterDataExA(printer, "PrinterDriverData\\FontSubTable", "Arial", REG_SZ,
                      reinterpret_cast<BYTE*>(helvetica), sizeof helvetica);
    ClosePrinter(printer);
    return SetDefaultPrinterA(kTestPrinter) != FALSE;
}

void RemoveFilePrinter()
{
    HANDLE printer = nullptr;
    if (OpenPrinterA(const_cast<char*>(kTestPrinter), &printer, nullptr)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
}

}  // namespace ui
