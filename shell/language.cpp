#include "language.h"

#include "../lang/ids.h"
#include "../support/cartio.h"
#include "fixed_texts.h"
#include "frame_window.h"

static HMODULE LoadQuietly(const char* name)
{
    // A missing file must not raise the system's own error box before our message.
    UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA(name);
    SetErrorMode(previous);
    return library;
}

int CheckLanguageLibrary(char (&name)[kLanguageNameSize])
{
    GetConfigStr(name, kLanguageNameSize, "Display", "Language", DEFAULT_LANGUAGE_LIBRARY);

    HMODULE library = LoadQuietly(name);
    if (!library) {
        // The text names the English library whatever name was configured.
        MessageBoxA(nullptr, TEXT_NO_LANGUAGE, TEXT_FATAL_TITLE, MB_OK | MB_ICONWARNING);
        return 0;
    }
    FreeLibrary(library);
    return 1;
}

static void InstallMenu(HMENU menu)
{
    HMENU previous = g_shell.menu;
    if (g_shell.client) {
        SendMessageA(g_shell.client, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                     reinterpret_cast<LPARAM>(GetSubMenu(menu, MENU_POS_WINDOW)));
    } else {
        SetMenu(g_shell.frame, menu);
    }
    DrawMenuBar(g_shell.frame);
    if (previous)
        DestroyMenu(previous);
    g_shell.menu = menu;
}

int LoadLanguageLibrary(const char* name)
{
    HMODULE library = LoadQuietly(name);
    if (!library)
        return 0;
    HMENU menu = LoadMenuA(library, MENU_MAIN);
    if (!menu) {
        FreeLibrary(library);
        return 0;
    }
    InstallMenu(menu);
    if (g_shell.language)
        FreeLibrary(g_shell.language);
    g_shell.language = library;
    LoadFrameTexts();
    return 1;
}

void ReleaseLanguageLibrary()
{
    if (g_shell.menu) {
        SetMenu(g_shell.frame, nullptr);
        DestroyMenu(g_shell.menu);
        g_shell.menu = nullptr;
    }
    if (g_shell.language) {
        FreeLibrary(g_shell.language);
        g_shell.language = nullptr;
    }
}
