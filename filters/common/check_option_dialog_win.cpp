#include <windows.h>

#include "cartio.h"
#include "filters/common/check_option_dialog.h"
#include "filters/common/filter_module.h"

namespace {

INT_PTR CALLBACK CheckOptionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto* option = reinterpret_cast<const CheckOption*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        option = reinterpret_cast<const CheckOption*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        int stored = GetConfigInt(option->section, option->key, option->defaultValue);
        CheckDlgButton(dialog, option->checkBoxId, stored == 1 ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            int value = IsDlgButtonChecked(dialog, option->checkBoxId) == BST_CHECKED ? 1 : 0;
            EndDialog(dialog, SetConfigInt(option->section, option->key, value));
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, kCheckOptionCancelled);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

int RunCheckOptionDialog(void* owner, const char* templateName, const CheckOption& option)
{
    return static_cast<int>(DialogBoxParamA(static_cast<HINSTANCE>(FilterModuleHandle()),
                                            templateName, static_cast<HWND>(owner),
                                            CheckOptionProc,
                                            reinterpret_cast<LPARAM>(&option)));
}
