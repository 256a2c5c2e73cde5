// One line of a database window's list: the glyph of the reference's source type, the names
// shortened to the author column, the date at the column's edge and, when asked, the title,
// in the bibliography colour when the bibliography holds the reference.
#ifndef CARTULAN_SHELL_LIST_LINE_H
#define CARTULAN_SHELL_LIST_LINE_H

#include <windows.h>

class Database;
struct DatabaseView;

// Takes the list measures from the database-window font.
void MeasureListFont(HFONT font);

// Width of one column of a list without titles.
int ListColumnWidth(const Database& database);

// Draws the line of WM_DRAWITEM. An index outside the references (such as -1, which an
// empty list asks for with the focus) draws nothing.
void DrawListLine(DatabaseView& view, const DRAWITEMSTRUCT& item);

// Builds the six ReferenceGlyphs on the current system colours, deleting old ones first.
void BuildReferenceGlyphs();
void DeleteReferenceGlyphs();

#endif
