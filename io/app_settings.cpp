#include "io/app_settings.h"

#include <cstdio>
#include <cstring>

#include "cartio.h"
#include "format/bib_format.h"
#include "io/format_store.h"
#include "io/transfer_state.h"
#include "store/owned_text.h"
#include "store/store_state.h"

AppSettings g_settings;

namespace {

constexpr char kFiles[] = "Files";
constexpr char kSearch[] = "Search";
constexpr char kDisplay[] = "Display";
constexpr char kInput[] = "Input";
constexpr char kEditor[] = "EditDlg";
constexpr char kNames[] = "Names";
constexpr char kSort[] = "Sort";
constexpr char kBibliography[] = "Bibliography";

constexpr int kRecentReadSize = 259;
constexpr int kFormatNameSize = 512;
constexpr int kFormatTextSize = 259;
constexpr int kFormatNamesSize = 127;

// An integer setting and where it lives, in the order they are loaded.
struct IntSetting {
    const char* section;
    const char* key;
    int32_t* value;
    int32_t defaultValue;
};

constexpr int kMaxIntSettings = 16;

// The integer settings into `out` (room for kMaxIntSettings), in the order they are loaded;
// "BibCol1" is loaded last and saved first.
int IntSettings(IntSetting* out)
{
    StoreDefaults& store = g_store.defaults;
    const IntSetting settings[] = {
        {kFiles, "Backup", &g_transfer.saveBackups, 1},
        {kFiles, "AutoView", &g_settings.autoView, 1},
        {kFiles, "BibIsForm", &g_settings.bibIsForm, 0},
        {kSearch, "Search", &store.searchable, 1},
        {kSearch, "SrchBy", &g_settings.searchBy, 3},
        {kDisplay, "List", reinterpret_cast<int32_t*>(&store.listFlags),
         static_cast<int32_t>(kDefaultListFlags)},
        {kDisplay, "ColumnWidth", &store.authorColumnChars, 25},
        {kInput, "DefaultSource", &store.input.sourceType, kSourceJournal},
        {kInput, "Search", &g_settings.caseSensitive, 0},
        {kEditor, "x", &g_settings.editorX, 2},
        {kEditor, "y", &g_settings.editorY, 2},
        {kEditor, "w", &g_settings.editorWidth, 632},
        {kEditor, "h", &g_settings.editorHeight, 475},
        {kEditor, "IsMax", &g_settings.editorMaximised, 0},
        {kNames, "SurLast", &store.nameOptions.familyLast, 1},
        {kNames, "Method", &store.nameOptions.method, 1},
    };
    static_assert(sizeof settings / sizeof settings[0] <= kMaxIntSettings, "room for each");
    const int count = static_cast<int>(sizeof settings / sizeof settings[0]);
    for (int i = 0; i < count; ++i) out[i] = settings[i];
    return count;
}

void LoadRecentFiles()
{
    ClearRecentFiles();
    int next = 0;
    for (int i = 0; i < kRecentFileCount; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "%d", i);
        if (i < kSortKeyCount)
            g_store.defaults.sortKeys.keys[i] =
                GetConfigInt(kSort, key, SortSpec().keys[i]);
        char name[kRecentReadSize] = "";
        GetConfigStr(name, sizeof name, kFiles, key, "");
        // An empty slot in the store leaves no gap in the list.
        if (name[0] != '\0') {
            g_transfer.recentFiles[next] = CopyText(name);
            if (g_transfer.recentFiles[next] != nullptr) ++next;
        }
    }
}

void LoadTexts(char* formatName)
{
    InputDefaults& input = g_store.defaults.input;
    GetConfigStr(input.date, kDefaultDateSize, kInput, "DefaultYear", "1994");
    GetConfigStr(formatName, kFormatNameSize, kBibliography, "Format", "");
    GetConfigStr(g_transfer.defaultFilter, kFilterNameSize, kFiles, "Format",
                 kDefaultFilterName);
    // Read whole, so that a text of several characters gives its first one rather than the
    // default the store delivers for a text too long for its buffer.
    char separator[kConfigMaxText + 1] = ",";
    GetConfigStr(separator, sizeof separator, kNames, "SurSep", ",");
    // A blank or empty separator would split no name; such a value reads as the default.
    g_store.defaults.nameOptions.separator =
        IsValidNameSeparator(separator[0]) ? separator[0] : ',';
}

void ChooseBibFormat(char* name)
{
    char text[kFormatTextSize] = "";
    if (name[0] == '\0') {
        char names[kFormatNamesSize] = "";
        if (GetConfigStr(names, sizeof names, kFormatSection, nullptr, "") <= 0 || names[0] == '\0') {
            SetCurrentBibFormat(kBasicBibFormatName, kBasicBibFormatBody);
            return;
        }
        std::snprintf(name, kFormatNameSize, "%s", names);
    }
    GetConfigStr(text, sizeof text, kFormatSection, name, "");
    if (text[0] != '\0')
        SetCurrentBibFormat(name, text);
    else
        SetCurrentBibFormat(name, kBasicBibFormatBody);
}

}  // namespace

void LoadSettings()
{
    IntSetting settings[kMaxIntSettings];
    const int count = IntSettings(settings);
    for (int i = 0; i < count; ++i)
        *settings[i].value =
            GetConfigInt(settings[i].section, settings[i].key, settings[i].defaultValue);
    LoadRecentFiles();
    char formatName[kFormatNameSize] = "";
    LoadTexts(formatName);
    g_settings.bibColour =
        static_cast<uint32_t>(GetConfigInt(kDisplay, "BibCol1", 16711680));
    ChooseBibFormat(formatName);
}

void SaveSettings()
{
    DeleteConfigTree(kFiles);
    for (int i = 0; i < kRecentFileCount; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "%d", i);
        if (i < kSortKeyCount) SetConfigInt(kSort, key, g_store.defaults.sortKeys.keys[i]);
        if (g_transfer.recentFiles[i] != nullptr)
            SetConfigStr(kFiles, key, g_transfer.recentFiles[i]);
    }
    SetConfigInt(kDisplay, "BibCol1", static_cast<int>(g_settings.bibColour));
    IntSetting settings[kMaxIntSettings];
    const int count = IntSettings(settings);
    for (int i = 0; i < count; ++i)
        SetConfigInt(settings[i].section, settings[i].key, *settings[i].value);
    SetConfigStr(kInput, "DefaultYear", g_store.defaults.input.date);
    SetConfigStr(kFiles, "Format", g_transfer.defaultFilter);
    const char* formatName = CurrentBibFormat().name;
    if (formatName[0] != '\0') SetConfigStr(kBibliography, "Format", formatName);
    const char separator[2] = {g_store.defaults.nameOptions.separator, '\0'};
    SetConfigStr(kNames, "SurSep", separator);
}
