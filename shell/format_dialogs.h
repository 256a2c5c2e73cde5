// The bibliography format dialogs: "BIBFMT" lists the stored formats with an example in the
// printer font and makes one current, "EDITBIB" edits one format's text, "BIBNAME" names a new
// format.
#ifndef CARTULAN_SHELL_FORMAT_DIALOGS_H
#define CARTULAN_SHELL_FORMAT_DIALOGS_H

#include <windows.h>

#include <string>

// Runs "BIBFMT" owned by `owner`. On OK the selected format becomes the current one and a
// formatted bibliography window is told to format itself again.
void RunFormatDialog(HWND owner);

// Runs "EDITBIB" for the stored format `name`. While the user types, `example` (may be null)
// shows the example of the text typed. True when a text was stored.
bool RunFormatEditDialog(HWND owner, const char* name, HWND example);

// Runs "BIBNAME". True when the user gave a name the settings can hold; it is in `name`.
bool RunFormatNameDialog(HWND owner, std::string& name);

// Shows the example of `formatText` in the edit control `example`.
void ShowFormatExample(HWND example, const char* formatText);

#endif
