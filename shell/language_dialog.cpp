#include "language_dialog.h"

#include <cstdio>
#include <string>

#include "../lang/describe.h"
#include "../lang/ids.h"
#include "../support/cartio.h"
#include "shell_state.h"
#include "version_info.h"

namespace {

constexpr int kMaxLanguages = 8;
constexpr char kLibraryPattern[] = "CTN*.DLL";

// The warnings of the version check: the library's file name, then kUseAnyway.
constexpr char kNoVersion[] = "%s contains no version information.\nIt is probably an old version.%s";
constexpr char kNewerVersion[] = "%s was designed for a more\nrecent version of Cartulan.%s";
constexpr char kOlderVersion[] = "%s was designed for a previous\nversion of Cartulan.%s";
constexpr char kUseAnyway[] =
    "\nSome functionality may not work as expected.\n\nDo you want to use it anyway?";
constexpr char kWarningTitle[] = "Warning!";

// The dialog's state, in the window (DWLP_USER): the file name behind each list entry.
struct LanguageDialog {
    std::string slots[kMaxLanguages];
    int count = 0;
    std::string chosen;
};

LanguageDialog* DataOf(HWND dialog)
{
    return reinterpret_cast<LanguageDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The language a loaded library names through its Describe; null when it has none.
const char* LanguageOf(HMODULE library)
{
    DescribeProc describe = reinterpret_cast<DescribeProc>(
        reinterpret_cast<void*>(GetProcAddress(library, LANG_DESCRIBE_EXPORT)));
    return describe ? describe() : nullptr;
}

// The language of the library file; false when it does not load or names none.
bool DescribeLibrary(const std::string& path, std::string& language)
{
    UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS);
    HMODULE library = LoadLibraryA(path.c_str());
    SetErrorMode(previous);
    if (!library)
        return false;
    // Copied before the library, and the text with it, goes again.
    const char* text = LanguageOf(library);
    if (text)
        language = text;
    FreeLibrary(library);
    return text != nullptr;
}

void ListLibraries(HWND dialog, LanguageDialog& data)
{
    std::string folder = ProgramFolder();
    SetCurrentDirectoryA(folder.c_str());
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + kLibraryPattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string language;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !DescribeLibrary(folder + found.cFileName, language))
            continue;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.c_str()));
        data.slots[data.count++] = found.cFileName;
    } while (data.count < kMaxLanguages && FindNextFileA(search, &found));
    FindClose(search);
}

// The first entry that begins with the current library's language name.
void SelectCurrentLanguage(HWND dialog)
{
    const char* language = g_shell.language ? LanguageOf(g_shell.language) : nullptr;
    if (!language)
        return;
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    LRESULT index = SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(language));
    if (index != LB_ERR)
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// Major and minor numbers only: a library of 7.8.5 fits a program of 7.8.0.
bool AcceptVersion(HWND dialog, const std::string& fileName)
{
    VS_FIXEDFILEINFO program = {}, library = {};
    ReadFixedVersion(ModulePath(nullptr), program);
    const char* warning = kNoVersion;
    if (ReadFixedVersion(ProgramFolder() + fileName, library)) {
        if (program.dwFileVersionMS == library.dwProductVersionMS)
            return true;
        warning = program.dwFileVersionMS < library.dwProductVersionMS ? kNewerVersion : kOlderVersion;
    }
    std::string text(fileName.size() + sizeof kNoVersion + sizeof kUseAnyway, '\0');
    int length = std::snprintf(&text[0], text.size(), warning, fileName.c_str(), kUseAnyway);
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return MessageBoxA(dialog, text.c_str(), kWarningTitle, MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void OnInitDialog(HWND dialog, LanguageDialog& data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&data));
    ListLibraries(dialog, data);
    SelectCurrentLanguage(dialog);
}

void OnChoose(HWND dialog, LanguageDialog& data)
{
    LRESULT index = SendDlgItemMessageA(dialog, IDC_LANGUAGE_LIST, LB_GETCURSEL, 0, 0);
    // With nothing selected there is no library to check or take.
    if (index < 0 || index >= data.count)
        return;
    const std::string& fileName = data.slots[index];
    if (!AcceptVersion(dialog, fileName))
        return;
    SetConfigStr("Display", "Language", fileName.c_str());
    data.chosen = fileName;
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, int id, int notification)
{
    LanguageDialog* data = DataOf(dialog);
    if (!data)
        return;
    if (id == IDOK || (id == IDC_LANGUAGE_LIST && notification == LBN_DBLCLK))
        OnChoose(dialog, *data);
    else if (id == IDCANCEL)
        EndDialog(dialog, IDCANCEL);
}

INT_PTR CALLBACK LanguageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, *reinterpret_cast<LanguageDialog*>(lParam));
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunLanguageDialog(HWND owner, char* chosen, int chosenSize)
{
    LanguageDialog data;
    INT_PTR result = DialogBoxParamA(g_shell.language, DLG_LANGDLG, owner, LanguageDialogProc,
                                     reinterpret_cast<LPARAM>(&data));
    if (result != IDOK || data.chosen.size() >= static_cast<size_t>(chosenSize))
        return 0;
    lstrcpynA(chosen, data.chosen.c_str(), chosenSize);
    return 1;
}
