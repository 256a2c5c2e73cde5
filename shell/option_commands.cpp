// The Options menu's commands: each runs its dialog and puts what was chosen where it belongs,
// in the program-wide defaults, the active window, or both, and shows the change.
#include "../lang/ids.h"
#include "bibliography_display.h"
#include "database_view.h"
#include "database_window.h"
#include "font_setting.h"
#include "format_dialogs.h"
#include "io/app_settings.h"
#include "later_commands.h"
#include "list_line.h"
#include "option_dialogs.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/list_flags.h"
#include "store/store_state.h"

namespace {

// Every database window, from the active one down the Z order.
template <class Visit>
void ForEachView(Visit visit)
{
    if (!g_shell.client)
        return;
    for (HWND child = GetWindow(g_shell.client, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (DatabaseView* view = ViewOfWindow(child))
            visit(*view);
    }
}

void PostResort()
{
    if (g_store.active && g_store.active->window)
        PostMessageA(static_cast<HWND>(g_store.active->window), MSG_RESORT, 0, 0);
}

}  // namespace

void RunListFormatOptions(HWND frame)
{
    StoreDefaults& defaults = g_store.defaults;
    Database* active = g_store.active;
    ListOptions options;
    options.flags = active ? active->listFlags : defaults.listFlags;
    options.columnWidth = active ? active->authorColumnChars : defaults.authorColumnChars;
    if (!RunListOptionsDialog(frame, options))
        return;
    defaults.listFlags = WithListOptions(defaults.listFlags, options.flags & kListNamesMask,
                                         (options.flags & kListWithTitle) != 0,
                                         (options.flags & kListSelectNewItems) != 0);
    defaults.authorColumnChars = options.columnWidth;
    if (!active)
        return;
    active->listFlags = defaults.listFlags;
    active->authorColumnChars = options.columnWidth;
    // A new list in the new arrangement, or for the bibliography shown formatted its text
    // formatted again.
    if (DatabaseView* view = ActiveView())
        RebuildContent(*view);
}

void RunSortingOptions(HWND frame)
{
    Database* active = g_store.active;
    SortOptions options;
    options.keys = active ? active->sortKeys : g_store.defaults.sortKeys;
    options.names = active ? &active->nameOptions : &g_store.defaults.nameOptions;
    RunSortOptionsDialog(frame, options);
    if (options.namesChanged)
        g_store.defaults.nameOptions = *options.names;
    if (options.keysChanged) {
        if (active)
            active->sortKeys = options.keys;
        g_store.defaults.sortKeys = options.keys;
    }
    // Names accepted and then the sort dialog cancelled still order the list anew.
    if (options.keysChanged || options.namesChanged)
        PostResort();
}

void RunSearchingOptions(HWND frame)
{
    SearchOptions options;
    options.caseSensitive = g_settings.caseSensitive;
    options.searchable = g_store.defaults.searchable;
    if (!RunSearchOptionsDialog(frame, options))
        return;
    g_settings.caseSensitive = options.caseSensitive;
    g_store.defaults.searchable = options.searchable;
    if (g_store.active)
        SetDatabaseWindowTitle(*g_store.active);
}

void RunInputDefaults(HWND frame)
{
    RunInputOptionsDialog(frame, g_store.defaults.input);
}

void RunConfirmationOptions(HWND frame)
{
    RunConfirmOptionsDialog(frame, g_store.defaults.listFlags);
}

void RunBibliographyColour(HWND frame)
{
    COLORREF custom[16];
    for (COLORREF& colour : custom)
        colour = RGB(255, 255, 255);
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = frame;
    request.rgbResult = g_settings.bibColour;
    request.lpCustColors = custom;
    request.Flags = CC_RGBINIT;
    if (!ChooseColorA(&request))
        return;
    g_settings.bibColour = request.rgbResult;
    ForEachView([](DatabaseView& view) {
        RedrawWindow(view.window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
}

void RunBibliographyFormat(HWND frame)
{
    RunFormatDialog(frame);
}

void RunPrinterFont(HWND frame)
{
    if (!ChooseFontSetting(g_shell.printerFont, frame))
        return;
    StoreFontSetting(g_shell.printerFont, "Printer");
    ForEachView([](DatabaseView& view) {
        if (view.formatted)
            SendMessageA(view.content, WM_SETFONT,
                         reinterpret_cast<WPARAM>(g_shell.printerFont.font), TRUE);
    });
}

void RunDatabaseFont(HWND frame)
{
    if (!ChooseFontSetting(g_shell.listFont, frame))
        return;
    StoreFontSetting(g_shell.listFont, "List");
    MeasureListFont(g_shell.listFont.font);
    ForEachView([](DatabaseView& view) {
        if (!view.formatted)
            RebuildContent(view);
    });
}

void RunEditWindowFont(HWND frame)
{
    if (ChooseFontSetting(g_shell.editFont, frame))
        StoreFontSetting(g_shell.editFont, "EditDlg");
}
