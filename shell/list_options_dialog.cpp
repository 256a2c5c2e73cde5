#include <cstdio>

#include "option_dialog.h"
#include "option_dialogs.h"
#include "store/list_flags.h"

namespace {

constexpr int kNarrowest = 20;
constexpr int kWidest = 100;
constexpr int kPage = 5;

// Sets the width on the scroll bar, which keeps it within its range, and shows what it kept.
void ShowWidth(HWND dialog, int width)
{
    HWND bar = GetDlgItem(dialog, IDC_LISTOPT_AUTHOR_WIDTH);
    SetScrollPos(bar, SB_CTL, width, TRUE);
    char text[16];
    std::snprintf(text, sizeof text, "%d", GetScrollPos(bar, SB_CTL));
    SetDlgItemTextA(dialog, IDC_LISTOPT_WIDTH_VALUE, text);
}

void OnInit(HWND dialog, ListOptions& options)
{
    SetScrollRange(GetDlgItem(dialog, IDC_LISTOPT_AUTHOR_WIDTH), SB_CTL, kNarrowest, kWidest,
                   FALSE);
    ShowWidth(dialog, options.columnWidth);
    const uint32_t names = options.flags & kListNamesMask;
    if (names != 0)
        CheckRadioButton(dialog, IDC_LISTOPT_NAMES_ALL, IDC_LISTOPT_NAMES_TWO,
                         IDC_LISTOPT_NAMES_ALL + static_cast<int>(names) - 1);
    CheckDlgButton(dialog, IDC_LISTOPT_SHOW_TITLES,
                   options.flags & kListWithTitle ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_LISTOPT_SELECT_NEW,
                   options.flags & kListSelectNewItems ? BST_CHECKED : BST_UNCHECKED);
}

void OnScroll(HWND dialog, ListOptions&, HWND bar, int request, int position)
{
    int width = GetScrollPos(bar, SB_CTL);
    switch (request) {
    case SB_LINELEFT: width -= 1; break;
    case SB_LINERIGHT: width += 1; break;
    case SB_PAGELEFT: width -= kPage; break;
    case SB_PAGERIGHT: width += kPage; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: width = position; break;
    default: break;
    }
    ShowWidth(dialog, width);
}

bool OnOk(HWND dialog, ListOptions& options)
{
    uint32_t names = 0;  // none checked
    for (int button = IDC_LISTOPT_NAMES_ALL; button <= IDC_LISTOPT_NAMES_TWO; ++button)
        if (IsDlgButtonChecked(dialog, button) == BST_CHECKED)
            names = static_cast<uint32_t>(button - IDC_LISTOPT_NAMES_ALL + 1);
    options.flags =
        WithListOptions(options.flags, names,
                        IsDlgButtonChecked(dialog, IDC_LISTOPT_SHOW_TITLES) == BST_CHECKED,
                        IsDlgButtonChecked(dialog, IDC_LISTOPT_SELECT_NEW) == BST_CHECKED);
    options.columnWidth = GetScrollPos(GetDlgItem(dialog, IDC_LISTOPT_AUTHOR_WIDTH), SB_CTL);
    return true;
}

}  // namespace

bool RunListOptionsDialog(HWND owner, ListOptions& options)
{
    static const DialogHandlers<ListOptions> handlers = {OnInit, OnOk, nullptr, OnScroll,
                                                         kHelpListOptions};
    return RunOptionDialog(owner, DLG_LISTOPT, handlers, options);
}
