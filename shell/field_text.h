// Reference fields in edit controls and combo boxes, whole: a control takes a field of any
// length, and a field is read back without being cut.
#ifndef CARTULAN_SHELL_FIELD_TEXT_H
#define CARTULAN_SHELL_FIELD_TEXT_H

#include <windows.h>

#include <string>

#include "store/reference.h"

// The whole text of an edit control or of a combo box's edit field.
std::string ControlText(HWND control);

// Shows `text` (null: nothing) in an edit control or combo box, lifting its length limit.
void ShowFieldText(HWND control, const char* text);

// Stores the control's text in `field`; an empty text makes the field absent. A one-line field
// gets a space for every CR and for the character after it. Returns 0 when memory runs out
// (the field is then as it was).
int StoreControlText(Reference& reference, ReferenceField field, HWND control, bool oneLine);

#endif
