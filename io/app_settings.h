// The program's options between runs: read once at start-up from the configuration store,
// changed in memory while the program runs, written back once at exit.
//
// Where a setting has a home in its subsystem it lives there: the store's defaults (list
// flags, column width, name options, sort keys, searchable windows, input defaults), the
// transfer state (backups, default filter, recent files) and the current bibliography format.
// The rest lives in g_settings.
#ifndef CARTULAN_IO_APP_SETTINGS_H
#define CARTULAN_IO_APP_SETTINGS_H

#include <cstdint>

struct AppSettings {
    int32_t autoView = 1;         // show every reference of a file as soon as it is opened
    int32_t bibIsForm = 0;        // the bibliography window shows the formatted bibliography
    int32_t searchBy = 3;         // field preselected in the search dialog, counting from 1
    int32_t caseSensitive = 0;    // searches are case-sensitive by default
    uint32_t bibColour = 0xFF0000;  // 0x00BBGGRR of references in the bibliography
    int32_t editorX = 2;
    int32_t editorY = 2;
    int32_t editorWidth = 632;
    int32_t editorHeight = 475;
    int32_t editorMaximised = 0;
};

extern AppSettings g_settings;

// Reads every setting (a missing one gives its default) and chooses the current
// bibliography format: the stored name, else the first stored format, else "Basic".
void LoadSettings();

// Writes every setting back. The section "Files" is rewritten from scratch, so that recent
// files no longer in the list disappear. Failed writes are ignored.
void SaveSettings();

#endif
