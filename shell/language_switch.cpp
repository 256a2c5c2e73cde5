#include "language_switch.h"

#include "../lang/ids.h"
#include "database_view.h"
#include "language.h"
#include "language_dialog.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"

namespace {

constexpr int kWindowTextSize = 64;

void ApplyLanguageToWindow(Database& database, const char* searchable, const char* bibliography)
{
    HWND window = static_cast<HWND>(database.window);
    if (database.searchableBox)
        SetWindowTextA(static_cast<HWND>(database.searchableBox), searchable);
    if (IsBibliography(database))
        SetWindowTextA(window, bibliography);
    else if (!database.fileName[0])
        SetWindowTextA(window, g_shell.untitled);
}

}  // namespace

void ChooseLanguage(HWND frame)
{
    char name[kLanguageNameSize];
    if (!RunLanguageDialog(frame, name, sizeof name))
        return;
    if (LoadLanguageLibrary(name))
        ApplyLanguageToWindows();
}

void ApplyLanguageToWindows()
{
    char searchable[kWindowTextSize];
    char bibliography[kWindowTextSize];
    LoadText(IDS_SEARCHABLE, searchable, sizeof searchable);
    LoadText(IDS_BIBLIOGRAPHY, bibliography, sizeof bibliography);
    if (g_shell.client) {
        for (HWND child = GetWindow(g_shell.client, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            DatabaseView* view = ViewOfWindow(child);
            if (view && view->database)
                ApplyLanguageToWindow(*view->database, searchable, bibliography);
        }
        SendMessageA(g_shell.client, WM_MDIREFRESHMENU, 0, 0);
    }
    g_shell.editorLayoutValid = false;
}
