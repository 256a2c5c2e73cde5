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

// Runs the font chooser owned by `owner`, starting from the current description (or from none).
// The printer kind offers the fonts that the default printer and the screen share; with no
// default printer it offers the screen's. When the user chooses a font that can be made, it
// replaces the old font, which is deleted. Returns whether it did. The description always holds
// a height for the screen, whatever the device the font was chosen for.
bool ChooseFontSetting(FontSetting& setting, HWND owner);

// Stores the description under `key` of "Fonts" (nothing while the stock font is used).
// Returns cartio's result (0 on success), -1 when there was nothing to store.
int StoreFontSetting(const FontSetting& setting, const char* key);

// Deletes the font (the stock font stays) and frees the description.
void DestroyFontSetting(FontSetting& setting);

#endif
