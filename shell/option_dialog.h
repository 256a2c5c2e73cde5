// The dialog procedure that the small option and format dialogs share: the dialog's data lives
// in the window (DWLP_USER) and each dialog gives only its own handlers. OK ends the dialog
// when the dialog's check allows it, Cancel always ends it, Help opens the dialog's section of
// the manual.
#ifndef CARTULAN_SHELL_OPTION_DIALOG_H
#define CARTULAN_SHELL_OPTION_DIALOG_H

#include <windows.h>

#include "../lang/ids.h"
#include "help.h"
#include "shell_state.h"

constexpr int kNoHelp = -1;

template <class Data>
struct DialogHandlers {
    // Shows `data`; may give the focus to a control (else the first one takes it).
    void (*init)(HWND dialog, Data& data);
    // Takes the controls' values into `data`; false keeps the dialog open.
    bool (*ok)(HWND dialog, Data& data);
    // Any other command of a control; may be null.
    void (*command)(HWND dialog, Data& data, int id, int code) = nullptr;
    // WM_HSCROLL of a scroll bar; may be null.
    void (*scroll)(HWND dialog, Data& data, HWND bar, int request, int position) = nullptr;
    int help = kNoHelp;  // a HelpContext
};

template <class Data>
struct BoundDialog {
    const DialogHandlers<Data>* handlers;
    Data* data;
};

template <class Data>
INT_PTR CALLBACK OptionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* bound = reinterpret_cast<BoundDialog<Data>*>(lParam);
        bound->handlers->init(dialog, *bound->data);
        // A dialog that gave the focus to one of its controls keeps it there.
        HWND focus = GetFocus();
        return focus && IsChild(dialog, focus) ? FALSE : TRUE;
    }
    auto* bound = reinterpret_cast<BoundDialog<Data>*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!bound)
        return FALSE;
    const DialogHandlers<Data>& handlers = *bound->handlers;
    if (message == WM_HSCROLL && handlers.scroll) {
        handlers.scroll(dialog, *bound->data, reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                        static_cast<short>(HIWORD(wParam)));
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    if (id == IDOK) {
        if (handlers.ok(dialog, *bound->data))
            EndDialog(dialog, IDOK);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    } else if (id == IDC_HELP_BUTTON && handlers.help != kNoHelp) {
        OpenHelp(static_cast<HelpContext>(handlers.help));
    } else if (handlers.command) {
        handlers.command(dialog, *bound->data, id, HIWORD(wParam));
    } else {
        return FALSE;
    }
    return TRUE;
}

// Runs dialog `name` of the language library owned by `owner`. Returns whether it ended with OK.
template <class Data>
bool RunOptionDialog(HWND owner, const char* name, const DialogHandlers<Data>& handlers,
                     Data& data)
{
    BoundDialog<Data> bound{&handlers, &data};
    return DialogBoxParamA(g_shell.language, name, owner, OptionDialogProc<Data>,
                           reinterpret_cast<LPARAM>(&bound)) == IDOK;
}

#endif
