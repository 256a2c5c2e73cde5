#include "startup_support.h"

#include "ui_harness.h"

namespace ui {

std::string ReadProgramSetting(const std::string& section, const std::string& key)
{
    HKEY hkey = nullptr;
    std::string path = "Software\\NWPL\\Cartulan\\" + section;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &hkey) != ERROR_SUCCESS)
        return kMissing;
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    LONG result = RegQueryValueExA(hkey, key.c_str(), nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(hkey);
    return result == ERROR_SUCCESS ? std::string(value) : std::string(kMissing);
}

bool WaitUntilGone(HWND window, DWORD ms)
{
    DWORD start = GetTickCount();
    while (IsWindow(window) && GetTickCount() - start < ms)
        Sleep(20);
    return !IsWindow(window);
}

HWND WaitForDialogOtherThan(DWORD pid, HWND other, DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        for (HWND window : TopLevelWindowsOf(pid)) {
            if (window != other && ClassOf(window) == "#32770" && IsWindowVisible(window))
                return window;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

std::string MakeProgramFolder(const std::string& label,
                              const std::vector<std::pair<std::string, std::string>>& extra)
{
    std::string dir = MakeTempDir(label);
    if (dir.empty())
        return dir;
    bool copied = CopyFileTo(ProgramPath(), dir);
    for (const char* name : {"CARTIO.DLL", "CTNEN.DLL", "REFER.FLT"})
        copied = copied && CopyFileTo(DeliverablesDir() + "\\" + name, dir);
    for (const auto& file : extra)
        copied = copied && CopyFileA(file.first.c_str(), (dir + "\\" + file.second).c_str(), FALSE);
    if (!copied) {
        RemoveDirTree(dir);
        return "";
    }
    return dir;
}

}  // namespace ui
