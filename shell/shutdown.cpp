#include "shutdown.h"

#include "io/app_settings.h"
#include "language.h"
#include "list_line.h"
#include "shell_state.h"
#include "store/store_state.h"

void ShutDownShell(HWND frame)
{
    ChangeClipboardChain(frame, g_shell.nextViewer);
    SaveSettings();
    FreeClipboard();
    DestroyFontSetting(g_shell.listFont);
    DestroyFontSetting(g_shell.printerFont);
    DestroyFontSetting(g_shell.editFont);
    ReleaseLanguageLibrary();  // the menu first, then the library it came from
    DeleteReferenceGlyphs();
    // The manual is shown by the browser, a program of its own: no help engine holds it.
    g_store.ui = nullptr;
    g_shell.client = nullptr;
    PostQuitMessage(0);
}

void OnEndSession(bool ending)
{
    if (ending)
        SaveSettings();
}
