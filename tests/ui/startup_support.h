// Helpers of the start-up, language and help tests: the program's settings as stored, a
// second dialog over the first, and a folder of its own for a copy of the program.
#ifndef CARTULAN_TESTS_UI_STARTUP_SUPPORT_H
#define CARTULAN_TESTS_UI_STARTUP_SUPPORT_H

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace ui {

constexpr char kMissing[] = "<missing>";

// A string value below "Software\NWPL\Cartulan", or kMissing.
std::string ReadProgramSetting(const std::string& section, const std::string& key);

// Waits until `window` is destroyed (a press is posted, so a box closes a moment later);
// false when it is still there after `ms`.
bool WaitUntilGone(HWND window, DWORD ms = 5000);

// Waits for a visible dialog of `pid` other than `other`; null after `ms`.
HWND WaitForDialogOtherThan(DWORD pid, HWND other, DWORD ms = 10000);

// A new folder with a copy of the program, its support library, the English library and the
// refer filter, and the files `extra` (source path, name in the folder). Returns the folder,
// or "".
std::string MakeProgramFolder(const std::string& label,
                              const std::vector<std::pair<std::string, std::string>>& extra = {});

}  // namespace ui

#endif
