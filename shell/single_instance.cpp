#include "single_instance.h"

#include <cstdlib>
#include <deque>
#include <string>

#include "../lang/ids.h"
#include "fixed_texts.h"
#include "open_database.h"
#include "shell_state.h"

namespace {

// Hand-overs that came while the program was busy, in the order they came.
std::deque<std::string> g_queued;
// The main loop is waiting for its next message: nothing of the program is under way.
bool g_idle = false;

// The name as the typing user meant it: relative to this process's current folder, not to
// the receiving program's.
std::string FullPath(const char* name)
{
    DWORD size = GetFullPathNameA(name, 0, nullptr, nullptr);
    if (size == 0)
        return name;
    std::string path(size, '\0');
    DWORD length = GetFullPathNameA(name, size, &path[0], nullptr);
    if (length == 0 || length >= size)
        return name;
    path.resize(length);
    return path;
}

void OpenNow(const std::string& name)
{
    // Whatever arrives while this file loads waits for the loop.
    bool wasIdle = g_idle;
    g_idle = false;
    OpenHandedOverFile(name.data(), static_cast<DWORD>(name.size()));
    g_idle = wasIdle;
}

}  // namespace

int HandOverToRunningInstance()
{
    HWND frame = FindWindowA(FRAME_CLASS, nullptr);
    if (!frame)
        return 0;
    HandOverCommandLine(frame);
    return 1;
}

void HandOverCommandLine(HWND frame)
{
    BringWindowToTop(GetLastActivePopup(frame));
    for (int i = 1; i < __argc; ++i) {
        std::string name = FullPath(__argv[i]);
        COPYDATASTRUCT data = {};
        data.dwData = CMD_FILE_OPEN;
        data.cbData = static_cast<DWORD>(name.size());
        data.lpData = &name[0];
        SendMessageA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
}

void ReceiveHandOver(const char* name, DWORD size)
{
    std::string fileName(name ? name : "", name ? size : 0);
    // The program's own command line is sent from this thread and opened at once.
    if (InSendMessage() && !g_idle) {
        g_queued.push_back(fileName);
        // Wakes the main loop, which opens the queue after the message.
        PostMessageA(g_shell.frame, WM_NULL, 0, 0);
        return;
    }
    OpenNow(fileName);
}

void SetIdle(bool idle)
{
    g_idle = idle;
}

void OpenQueuedHandOvers()
{
    // Once the frame is going, the files have no window to go to.
    while (!g_queued.empty() && g_shell.client) {
        std::string name = g_queued.front();
        g_queued.pop_front();
        OpenNow(name);
    }
}
