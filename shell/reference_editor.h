// The reference editor "EDITREF": the title, source and the other text fields of a
// reference, stepping to the previous and next reference of the active database, adding it to
// the bibliography, adding keywords, copying it formatted, and the lists of common source
// titles. It is resizable and scrolls when it is smaller than its template.
//
// Every time it stores the fields, the reference is put back in order in every list that
// holds it (the duplicate dialog may ask), so the lists are never out of order.
#ifndef CARTULAN_SHELL_REFERENCE_EDITOR_H
#define CARTULAN_SHELL_REFERENCE_EDITOR_H

#include <windows.h>

#include <cstdint>

class Reference;

struct ReferenceEditorData {
    // In: the reference to edit. Out: the one shown when the editor closed, which may be
    // another after "&<" or "&>". The editor keeps it alive while it shows it; afterwards the
    // caller destroys it if no list holds it any more (refCount 0).
    Reference* reference = nullptr;
    // In: "&<" and "&>" step through the active database.
    bool navigation = false;
    // In: "O&K && New" may start a new reference: not while a load or a paste is putting
    // references into a list.
    bool mayStartNew = false;
    // Out: where the reference shown last stood in the active database when it was last
    // there (-1 when it never was).
    int32_t index = -1;
};

// Runs the editor owned by `owner`. The frame is disabled while it runs and is left as it was
// found. Returns 1 when a store of the reference shown last changed its place in a list
// (OK, or "O&K && New", which then posts New reference to the frame), else 2.
int RunReferenceEditor(HWND owner, ReferenceEditorData& data);

#endif
