#include "ui_harness.h"

#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include <commctrl.h>

#include "ids.h"
#include "probe/ui_probe.h"

namespace ui {

namespace {

std::string ParentDir(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string QuoteArgument(const std::string& arg)
{
    return '"' + arg + '"';
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
    if (dir.empty())
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

bool CopyFileTo(const std::string& from, const std::string& toDir)
{
    std::string name = from.substr(from.find_last_of("\\/") + 1);
    return CopyFileA(from.c_str(), (toDir + "\\" + name).c_str(), FALSE) != 0;
}

void RemoveProgramSettings()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\NWPL\\Cartulan");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\NWPL\\Cartulan");
}

bool SetProgramSetting(const std::string& section, const std::string& key, const std::string& value)
{
    HKEY hkey = nullptr;
    std::string path = "Software\\NWPL\\Cartulan\\" + section;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &hkey, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(hkey, key.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
    RegCloseKey(hkey);
    return result == ERROR_SUCCESS;
}

// --- RunningProgram ---------------------------------------------------------------------

RunningProgram::~RunningProgram()
{
    Terminate();
}

bool RunningProgram::Start(const std::string& exe, const std::vector<std::string>& args,
                           const std::string& workDir)
{
    std::string commandLine = QuoteArgument(exe);
    for (const std::string& arg : args)
        commandLine += ' ' + QuoteArgument(arg);
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
    if (!process_)
        return;
    if (IsRunning()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
}

// --- Windows ----------------------------------------------------------------------------

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

std::string WaitForText(HWND window, const std::string& expected, DWORD ms)
{
    DWORD start = GetTickCount();
    std::string text = TextOf(window);
    while (text != expected && GetTickCount() - start < ms) {
        Sleep(20);
        text = TextOf(window);
    }
    return text;
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid)
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD pid)
{
    WindowSearch search{pid, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND FindChildByClass(HWND parent, const std::string& className)
{
    for (HWND child : ChildrenOf(parent)) {
        if (lstrcmpiA(ClassOf(child).c_str(), className.c_str()) == 0)
            return child;
    }
    return nullptr;
}

HWND WaitForTopLevelWindow(DWORD pid, const std::string& className, DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        for (HWND window : TopLevelWindowsOf(pid)) {
            if (ClassOf(window) == className)
                return window;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

HWND WaitForTitledWindow(DWORD pid, const std::string& title, DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        for (HWND window : TopLevelWindowsOf(pid)) {
            if (IsWindowVisible(window) && TextOf(window) == title)
                return window;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

HWND WaitForDialog(DWORD pid, DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        for (HWND window : TopLevelWindowsOf(pid)) {
            if (ClassOf(window) == "#32770" && IsWindowVisible(window))
                return window;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
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

bool Sync(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &result) != 0;
}

bool PostCommand(HWND window, int command)
{
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0) != 0;
}

bool PostClose(HWND window)
{
    return PostMessageA(window, WM_CLOSE, 0, 0) != 0;
}

namespace {

void AddKey(std::vector<INPUT>& inputs, WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
}

}  // namespace

bool PressKey(HWND window, WORD virtualKey, int modifiers)
{
    // The keys go to the foreground window, so make sure it is this one first, and that its
    // thread has taken the activation (keys sent before that may go nowhere).
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    DWORD start = GetTickCount();
    for (;;) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) &&
            info.hwndActive == window)
            break;
        SetForegroundWindow(window);
        if (GetTickCount() - start > kDefaultWaitMs)
            return false;
        Sleep(20);
    }
    const WORD modifierKeys[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    std::vector<INPUT> inputs;
    for (int i = 0; i < 3; ++i) {
        if (modifiers & (1 << i))
            AddKey(inputs, modifierKeys[i], false);
    }
    AddKey(inputs, virtualKey, false);
    AddKey(inputs, virtualKey, true);
    for (int i = 2; i >= 0; --i) {
        if (modifiers & (1 << i))
            AddKey(inputs, modifierKeys[i], true);
    }
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

int ListBoxCount(HWND list)
{
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &count))
        return -1;
    return static_cast<int>(count);
}

std::vector<std::string> ListBoxTexts(HWND list)
{
    std::vector<std::string> texts;
    int count = ListBoxCount(list);
    for (int i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_NORMAL, kDefaultWaitMs, &length);
        // Asked in wide characters: between processes Wine copies a list box's text back as
        // wide characters even to an ANSI caller.
        std::wstring wide(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]), SMTO_NORMAL,
                            kDefaultWaitMs, &copied);
        wide.resize(copied == static_cast<DWORD_PTR>(LB_ERR) ? 0 : copied);
        std::string text(wide.size() * 2 + 1, '\0');
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                        &text[0], static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(bytes > 0 ? bytes : 0);
        texts.push_back(text);
    }
    return texts;
}

std::vector<int> ListBoxSelection(HWND list)
{
    std::vector<int> selected;
    int count = ListBoxCount(list);
    for (int i = 0; i < count; ++i) {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(list, LB_GETSEL, i, 0, SMTO_NORMAL, kDefaultWaitMs, &state);
        if (static_cast<LONG_PTR>(state) > 0)
            selected.push_back(i);
    }
    return selected;
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
    HWND button = GetDlgItem(dialog, id);
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}

bool CloseBox(HWND box, int id, DWORD ms)
{
    if (!box || !PressButton(box, id))
        return false;
    for (DWORD start = GetTickCount(); IsWindow(box); Sleep(10)) {
        if (GetTickCount() - start > ms)
            return false;
    }
    return true;
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

// --- Menus through the probe -------------------------------------------------------------

namespace {

const char kReplyClass[] = "CartulanUiProbeReply";
std::string g_probeAnswer;
bool g_probeAnswered = false;

LRESULT CALLBACK ReplyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == UI_PROBE_ANSWER_TAG) {
            g_probeAnswer.assign(static_cast<const char*>(data->lpData), data->cbData);
            g_probeAnswered = true;
            return TRUE;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND ReplyWindow()
{
    static HWND reply = nullptr;
    if (!reply) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ReplyWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kReplyClass;
        RegisterClassA(&wc);
        reply = CreateWindowExA(0, kReplyClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
    }
    return reply;
}

HMODULE ProbeLibrary()
{
    static HMODULE probe = LoadLibraryA((TestProgramDir() + "\\UIPROBE.DLL").c_str());
    return probe;
}

}  // namespace

ProbeHook::ProbeHook(HWND window) : window_(window)
{
    HOOKPROC hookProc = nullptr;
    if (HMODULE probe = ProbeLibrary()) {
        hookProc = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(probe, UI_PROBE_HOOK_EXPORT)));
    }
    if (hookProc) {
        DWORD thread = GetWindowThreadProcessId(window, nullptr);
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, hookProc, ProbeLibrary(), thread);
    }
}

ProbeHook::~ProbeHook()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
}

bool ProbeHook::Ask(WPARAM request, std::string& answer)
{
    if (!hook_)
        return false;
    g_probeAnswered = false;
    DWORD_PTR result = 0;
    UINT message = RegisterWindowMessageA(UI_PROBE_MESSAGE);
    SendMessageTimeoutA(window_, message, request, reinterpret_cast<LPARAM>(ReplyWindow()),
                        SMTO_NORMAL, kDefaultWaitMs, &result);
    answer = g_probeAnswer;
    return g_probeAnswered;
}

bool RecordTexts(ProbeHook& probe, int controlId)
{
    std::string answer;
    return probe.Ask(UI_PROBE_REQUEST(UI_PROBE_RECORD_TEXTS, controlId), answer);
}

std::vector<std::string> RecordedTexts(ProbeHook& probe)
{
    std::vector<std::string> texts;
    std::string answer;
    if (!probe.Ask(UI_PROBE_REQUEST(UI_PROBE_RECORDED_TEXTS, 0), answer))
        return texts;
    std::istringstream lines(answer);
    std::string line;
    while (std::getline(lines, line))
        texts.push_back(line);
    return texts;
}

namespace {

// Sends the probe request to `window` with the probe hooked into its thread for the call.
bool AskProbe(HWND window, WPARAM request, std::string& answer)
{
    ProbeHook probe(window);
    return probe.Ask(request, answer);
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

// --- Database windows ---------------------------------------------------------------------

bool HandOver(HWND frame, const std::string& fileName)
{
    COPYDATASTRUCT data = {};
    data.dwData = CMD_FILE_OPEN;
    data.cbData = static_cast<DWORD>(fileName.size());
    data.lpData = const_cast<char*>(fileName.data());
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_NORMAL, 30000, &result) != 0;
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
    DWORD_PTR active = 0;
    SendMessageTimeoutA(MdiClientOf(frame), WM_MDIGETACTIVE, 0, 0, SMTO_NORMAL, kDefaultWaitMs,
                        &active);
    return reinterpret_cast<HWND>(active);
}

bool ActivateDatabaseWindow(HWND frame, HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(MdiClientOf(frame), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window),
                               0, SMTO_NORMAL, kDefaultWaitMs, &result) != 0;
}

bool WaitForDatabaseWindows(HWND frame, size_t count, DWORD ms)
{
    DWORD start = GetTickCount();
    while (DatabaseWindows(frame).size() != count) {
        if (GetTickCount() - start > ms)
            return false;
        Sleep(20);
    }
    return true;
}

HWND ListOf(HWND databaseWindow)
{
    return GetDlgItem(databaseWindow, IDC_DBWIN_LIST);
}

HWND DatabaseWindowTitled(HWND frame, const std::string& title)
{
    for (HWND window : DatabaseWindows(frame)) {
        if (TextOf(window) == title)
            return window;
    }
    return nullptr;
}

bool ToolbarButtonEnabled(HWND frame, int command)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(frame, IDC_TOOLBAR), TB_ISBUTTONENABLED,
                        static_cast<WPARAM>(command), 0, SMTO_NORMAL, kDefaultWaitMs, &result);
    return result != 0;
}

std::string StatusText(HWND frame)
{
    return TextOf(GetDlgItem(frame, IDC_STATUS_BAR));
}

bool SelectLines(HWND list, const std::vector<int>& lines)
{
    DWORD_PTR result = 0;
    bool answered = SendMessageTimeoutA(list, LB_SETSEL, FALSE, -1, SMTO_NORMAL, kDefaultWaitMs,
                                        &result) != 0;
    for (int line : lines)
        answered = answered && SendMessageTimeoutA(list, LB_SETSEL, TRUE, line, SMTO_NORMAL,
                                                   kDefaultWaitMs, &result) != 0;
    return answered && SendMessageTimeoutA(GetParent(list), WM_COMMAND,
                                           MAKEWPARAM(IDC_DBWIN_LIST, LBN_SELCHANGE),
                                           reinterpret_cast<LPARAM>(list), SMTO_NORMAL,
                                           kDefaultWaitMs, &result) != 0;
}

RECT ListItemRect(HWND list, int index)
{
    RECT rc = {};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(&rc), SMTO_NORMAL, kDefaultWaitMs, &result) ||
        static_cast<LONG_PTR>(result) == LB_ERR)
        return RECT{};
    return rc;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WriteReferFile(const std::string& dir, const std::string& name, int count,
                           const std::string& tag)
{
    std::string path = dir + "\\" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return "";
    for (int i = 0; i < count; ++i) {
        std::fprintf(out, "%%A Author%d, A\r\n%%D %d\r\n%%T %s paper %d\r\n%%J Journal\r\n\r\n",
                     1000 + i, 1900 + i % 100, tag.c_str(), 1000 + i);
    }
    bool written = std::fclose(out) == 0;
    char full[MAX_PATH];
    return written && GetFullPathNameA(path.c_str(), sizeof full, full, nullptr) ? full : "";
}

// --- Screenshots -------------------------------------------------------------------------

namespace {

size_t CountColours(const BYTE* pixels, int width, int height, DWORD rowBytes)
{
    std::set<DWORD> colours;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const BYTE* p = pixels + row * rowBytes + col * 3;
            colours.insert(p[0] | (p[1] << 8) | (p[2] << 16));
        }
    }
    return colours.size();
}

}  // namespace

namespace {

// A 24-bit bottom-up copy of an area of `source`; `bits` points into `bitmap`.
struct Capture {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    BITMAPINFO info = {};
    DWORD rowBytes = 0;
};

bool CaptureArea(HDC source, int x, int y, int width, int height, Capture& capture)
{
    BITMAPINFO& info = capture.info;
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    capture.bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &capture.bits, nullptr, 0);
    if (!capture.bitmap)
        return false;
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, capture.bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    GdiFlush();
    capture.rowBytes = ((static_cast<DWORD>(width) * 3) + 3) & ~3u;
    return true;
}

}  // namespace

bool SaveArea(HDC source, int x, int y, int width, int height, const std::string& path,
              size_t* colours)
{
    Capture capture;
    if (!CaptureArea(source, x, y, width, height, capture))
        return false;
    const BYTE* bits = static_cast<const BYTE*>(capture.bits);
    DWORD imageBytes = capture.rowBytes * static_cast<DWORD>(height);
    if (colours)
        *colours = CountColours(bits, width, height, capture.rowBytes);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof capture.info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    bool saved = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        saved = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                std::fwrite(&capture.info.bmiHeader, sizeof capture.info.bmiHeader, 1, out) == 1 &&
                std::fwrite(bits, imageBytes, 1, out) == 1;
        saved = std::fclose(out) == 0 && saved;
    }
    DeleteObject(capture.bitmap);
    return saved;
}

int CountPixels(HWND window, const RECT& area, COLORREF colour)
{
    POINT origin = {area.left, area.top};
    ClientToScreen(window, &origin);
    int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    Capture capture;
    int count = 0;
    if (width > 0 && height > 0 && CaptureArea(screen, origin.x, origin.y, width, height, capture)) {
        const BYTE* bits = static_cast<const BYTE*>(capture.bits);
        for (int row = 0; row < height; ++row) {
            for (int col = 0; col < width; ++col) {
                const BYTE* p = bits + row * capture.rowBytes + col * 3;
                if (RGB(p[2], p[1], p[0]) == colour)
                    ++count;
            }
        }
        DeleteObject(capture.bitmap);
    }
    ReleaseDC(nullptr, screen);
    return count;
}

bool SaveScreenshot(const std::string& path)
{
    HDC screen = GetDC(nullptr);
    bool saved = SaveArea(screen, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                          GetSystemMetrics(SM_CYSCREEN), path);
    ReleaseDC(nullptr, screen);
    return saved;
}

// Runs a command line of the host system's shell (not a Windows program) and waits for it.
bool RunHostCommand(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = "/bin/sh -c \"" + commandLine + "\"";
    // Wine starts a program of the host system that it is given by its path.
    if (!CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, kDefaultWaitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
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
    WriteFile(file, kTestPpd, sizeof kTestPpd - 1, &written, nullptr);
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
