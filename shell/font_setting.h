// The program's three fonts (database windows, printer, edit windows), each read from its key
// of the "Fonts" section. A font that is not stored, or cannot be made, is the stock system
// font.
#ifndef CARTULAN_SHELL_FONT_SETTING_H
#define CARTULAN_SHELL_FONT_SETTING_H

#include <windows.h>

struct FontSetting {
    int printerKind = 0;                // chosen for the default printer
    HFONT font = nullptr;               // own font, or the stock system font, or none
    LOGFONTA* description = nullptr;    // owned; null while the stock font is used
    CHOOSEFONTA request = {};           // the font chooser's request, kept with the object
};

// Makes `setting` from the text stored under `key` of "Fonts".
void FontFromConfig(FontSetting& setting, int printerKind, const char* key);

// Deletes the font (the stock font stays) and frees the description.
void DestroyFontSetting(FontSetting& setting);

#endif
