// Moving references between databases: deleting, the internal clipboard, adding to the
// bibliography. Only adding to the bibliography shares a reference; every other transfer puts
// a copy into the receiving list.
//
// The selection is passed as indexes into the database's references, in any order; indexes
// outside the list and repeated indexes are ignored.
#ifndef CARTULAN_STORE_TRANSFERS_H
#define CARTULAN_STORE_TRANSFERS_H

#include <cstdint>

class Database;

// Deletes the selected references: each loses this database's hold (a reference the
// bibliography also holds lives on there) and its line, from the highest index to the lowest.
// Unless `askFirst` is false (cut, moves by dragging) or the database is the bibliography,
// the program's confirmation mode may ask first. Selects the line at the lowest deleted index
// and marks the database modified. An emptied bibliography closes its window and is no longer
// the bibliography. Returns the number deleted: 0 when there was nothing to delete or the
// user said No; -1 when memory ran out (nothing is deleted).
int32_t DeleteReferences(Database& database, const int32_t* indexes, int32_t count,
                         bool askFirst);

// Replaces the internal clipboard with copies of the selected references (inserted from the
// highest index to the lowest). Returns the number copied; -1 when memory ran out, in which
// case the old clipboard is kept.
int32_t CopyToClipboard(const Database& database, const int32_t* indexes, int32_t count);

// Inserts a copy of every clipboard reference, in clipboard order, into `database`, resolving
// duplicates; shows each new line and selects it when the database's flags ask for it, and
// marks the database modified when anything went in. Abandoning stops the paste. The
// clipboard keeps its contents. Returns the number pasted.
int32_t PasteClipboard(Database& database);

// Drags the selected references of `source` onto another database window's `target`. Each
// travels as a copy in a list of its own, so the internal clipboard keeps its contents and
// references that the source holds apart all travel, however the program's own order ranks
// them; the copies go in as a paste puts them (duplicates resolved, new lines selected by the
// target's flags). A move then deletes from the source, without asking, exactly the
// references whose copies went in: nothing is deleted before it is safe in the target.
// Returns the number pasted; -1 when memory ran out (nothing changes).
int32_t DragReferences(Database& source, const int32_t* indexes, int32_t count,
                       Database& target, bool move);

// Adds the selected references of `database` (lowest index first) to the bibliography,
// creating it and its window first if there is none. The bibliography holds the same objects;
// a reference it already holds an equal of is skipped. Each added reference's line is
// redrawn in the source so that it shows the bibliography mark. Returns the number added; -1
// when memory ran out or no bibliography window could be opened.
int32_t AddToBibliography(Database& database, const int32_t* indexes, int32_t count);

// Whether a drag-and-drop transfer may go ahead: asks when the program's flags say so.
bool ConfirmDrag();

#endif
