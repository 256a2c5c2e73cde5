// Opts: the dialog "OPTDLG" with one check box per option bit. Ok stores the bits and keeps
// them for this load of the library; both buttons close the dialog, whose result (1 Ok,
// 2 Cancel) Opts returns.
#include <windows.h>

#include <iterator>

#include "cartio.h"
#include "filters/citadat/citadat_filter.h"
#include "filters/citadat/citadat_resources.h"
#include "filters/common/filter_module.h"
#include "io/filter_exports.h"

namespace {

struct OptionBox {
    int id;
    int bit;
};

constexpr OptionBox kOptionBoxes[] = {
    {IDC_CITADAT_UNREAD, kAddUnreadKeyword},
    {IDC_CITADAT_LOWER_CASE, kLowerCaseFields},
    {IDC_CITADAT_DOCUMENT_TYPE, kAddDocumentTypeKeyword},
};

void ShowOptions(HWND dialog, int options)
{
    for (const OptionBox& box : kOptionBoxes)
        CheckDlgButton(dialog, box.id, (options & box.bit) ? BST_CHECKED : BST_UNCHECKED);
}

int CheckedOptions(HWND dialog)
{
    int options = 0;
    for (const OptionBox& box : kOptionBoxes) {
        if (IsDlgButtonChecked(dialog, box.id) == BST_CHECKED)
            options |= box.bit;
    }
    return options;
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowOptions(dialog,
                    GetConfigInt(kCitadatSection, kCitadatOptionsKey, kCitadatOptionsDefault));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            int options = CheckedOptions(dialog);
            SetConfigInt(kCitadatSection, kCitadatOptionsKey, options);
            if (CitadatFilter* filter = TheCitadatFilter())
                filter->options = options;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

extern "C" FILTER_API int FILTER_CALL Opts(void* owner)
{
    return static_cast<int>(DialogBoxParamA(static_cast<HINSTANCE>(FilterModuleHandle()),
                                            "OPTDLG", static_cast<HWND>(owner), OptionsProc, 0));
}
