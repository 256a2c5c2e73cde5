#include <windows.h>

#include <string>

#include "ui_probe.h"

namespace {

std::string FlagsOf(const MENUITEMINFOA& info)
{
    std::string flags;
    if (info.hSubMenu)
        flags += 'P';
    if (info.fType & MFT_SEPARATOR)
        flags += 'S';
    if (info.fState & MFS_GRAYED)
        flags += 'G';
    if (info.fState & MFS_CHECKED)
        flags += 'C';
    return flags;
}

void DumpMenu(HMENU menu, int depth, std::string& out)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        GetMenuStringA(menu, i, text, sizeof text - 1, MF_BYPOSITION);
        out += std::to_string(depth) + '\t' + std::to_string(info.hSubMenu ? 0 : info.wID) + '\t' +
               FlagsOf(info) + '\t' + text + '\n';
        if (info.hSubMenu)
            DumpMenu(info.hSubMenu, depth + 1, out);
    }
}

void Answer(HWND target, WPARAM request, HWND replyTo)
{
    HMENU bar = GetMenu(target);
    int kind = request & 0xFF;
    int position = (request >> 8) & 0xFF;
    if (kind == UI_PROBE_INIT_AND_DUMP_MENU && bar) {
        HMENU popup = GetSubMenu(bar, position);
        SendMessageA(target, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
    }
    std::string out;
    if (bar)
        DumpMenu(bar, 0, out);
    COPYDATASTRUCT data = {};
    data.dwData = UI_PROBE_ANSWER_TAG;
    data.cbData = static_cast<DWORD>(out.size());
    data.lpData = out.empty() ? nullptr : &out[0];
    SendMessageA(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(target),
                 reinterpret_cast<LPARAM>(&data));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    static UINT probeMessage = RegisterWindowMessageA(UI_PROBE_MESSAGE);
    if (code == HC_ACTION) {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == probeMessage)
            Answer(call->hwnd, call->wParam, reinterpret_cast<HWND>(call->lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
