// The content of a database window: the list, or for the bibliography window while the
// formatted bibliography is on, the whole bibliography as formatted text in an edit control.
// The user may edit that text; the edits are never stored.
#ifndef CARTULAN_SHELL_BIBLIOGRAPHY_DISPLAY_H
#define CARTULAN_SHELL_BIBLIOGRAPHY_DISPLAY_H

#include "database_view.h"

// Command 430: destroys the content control and makes it again in the current display mode
// (the text display only for the bibliography window with the formatted display on).
void RebuildContent(DatabaseView& view);

// Formats the bibliography again into the text display.
void ReformatBibliography(DatabaseView& view);

// Whether the view shows the formatted bibliography.
bool ShowsFormattedText(const DatabaseView* view);

// Whether `msg` is a key that the formatted bibliography's text takes for itself while it has
// the focus (Del, Enter, Backspace, Insert and the edit keys): the accelerators must not
// swallow it, least of all those of grayed items, which do nothing.
bool TextDisplayTakesKey(const MSG& msg);

// Lays the content control and the "Searchable" check box out in the window's client area.
void LayoutDatabaseWindow(DatabaseView& view);

#endif
