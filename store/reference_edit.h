// Changing the fields of a reference that lists hold, so that every list stays in order: a
// change is framed by BeginReferenceEdit and EndReferenceEdit, and the second puts the
// reference back where its new fields belong in each list that holds it.
#ifndef CARTULAN_STORE_REFERENCE_EDIT_H
#define CARTULAN_STORE_REFERENCE_EDIT_H

#include <cstdint>
#include <vector>

class Database;
class Reference;
class ReferenceList;

// One list that holds the reference itself, and where.
struct ReferenceHolding {
    Database* database = nullptr;
    int32_t index = -1;
};

struct ReferenceEdit {
    Reference* reference = nullptr;
    Reference* before = nullptr;               // the fields as they were; owned
    std::vector<ReferenceHolding> holdings;
};

// Where `list` holds `reference` itself, or -1. Found by binary search, so only while the
// list is in order for the reference's fields.
int32_t IndexOfHeld(const ReferenceList& list, const Reference& reference);

// To be called while `reference` is still in order in every list: finds the lists that hold
// it and keeps a copy of its fields. Returns 0 when memory runs out (the fields must then
// not be changed).
int BeginReferenceEdit(ReferenceEdit& edit, Reference& reference);

// After the fields changed: every holder is marked modified and redraws the line. A list
// whose order puts the reference elsewhere now takes it out and inserts it again, resolving a
// duplicate as any insertion does; its lines follow. A list that does not take it back only
// loses its hold: the reference is never destroyed here, and one that no list holds any more
// (refCount 0) is its caller's to destroy. Returns whether any list moved or dropped it.
// Frees the copy; the edit may then be begun again.
bool EndReferenceEdit(ReferenceEdit& edit);

// Inserts a reference that no list holds yet into `database`, resolving a duplicate; shows
// its line, selects it when the database's flags ask for it and marks the database modified.
// Returns its index, kNotIncluded or kAbandoned (the reference then stays the caller's).
int32_t InsertNewReference(Database& database, Reference& reference);

#endif
