#include "frame_commands.h"

#include <iterator>

#include "../lang/ids.h"
#include "shell_state.h"

namespace {

using CommandHandler = void (*)(HWND frame);

void OnFileExit(HWND frame)
{
    PostMessageA(frame, WM_CLOSE, 0, 0);
}

void OnWindowCascade(HWND frame)
{
    SendMessageA(g_shell.client, WM_MDICASCADE, MDITILE_SKIPDISABLED, 0);
}

void OnWindowTile(HWND frame)
{
    SendMessageA(g_shell.client, WM_MDITILE, MDITILE_SKIPDISABLED, 0);
}

void OnWindowArrangeIcons(HWND frame)
{
    SendMessageA(g_shell.client, WM_MDIICONARRANGE, 0, 0);
}

struct CommandEntry {
    int command;
    CommandHandler handler;
};

const CommandEntry kFrameCommands[] = {
    {CMD_FILE_EXIT, OnFileExit},
    {CMD_WINDOW_CASCADE, OnWindowCascade},
    {CMD_WINDOW_TILE, OnWindowTile},
    {CMD_WINDOW_ARRANGE_ICONS, OnWindowArrangeIcons},
};

}  // namespace

int DispatchFrameCommand(HWND frame, int command)
{
    for (const CommandEntry& entry : kFrameCommands) {
        if (entry.command == command) {
            entry.handler(frame);
            return 1;
        }
    }
    return 0;
}
