// Loading and saving a database through a filter, and the commands built on it: open, save,
// save as, import, export, the save question before a window closes and the formatted
// bibliography as plain text.
//
// A save never puts the old file at risk: the references are written to a new file beside
// the target, which takes the target's place only once every byte is written and flushed.
// With backups on, the old file is kept under the ".BAK" name unless such a file exists.
// A failed save leaves the old file as it was and the database modified.
#ifndef CARTULAN_IO_TRANSFER_H
#define CARTULAN_IO_TRANSFER_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/filter_loader.h"
#include "io/transfer_ui.h"

class Database;

// The commands that reach the engine.
enum TransferCommand {
    kCommandOpen = 501,
    kCommandSave = 502,
    kCommandSaveAs = 503,
    kCommandImport = 505,
    kCommandExport = 546,
};

constexpr int32_t kLineFileBufferSize = 32768;
constexpr unsigned long kProgressInterval = 64;
constexpr std::size_t kBibliographyFileTextSize = 524287;

// How the file of a database is encoded (Database::fileEncoding): a save writes it back the
// same way. A database that comes from no file is 8-bit.
enum FileEncoding : int32_t {
    kFile8Bit = 0,
    kFileUtf8 = 1,
    kFileUtf8Marked = 2,  // with a byte-order mark
};

// What one load or save did.
struct TransferOutcome {
    TransferFailure failure = TransferFailure::kNone;
    int error = 0;                 // see TransferReport
    bool platformError = false;
    unsigned long delivered = 0;   // records the filter delivered (loading)
    unsigned long taken = 0;       // references inserted (loading) or written (saving)
    bool abandoned = false;        // the user abandoned the load at a duplicate
    unsigned long unmapped = 0;    // characters read as escapes (loading)
    std::string folder;            // kFolderRefused: the folder
};

// The report of the failure (or notice) of `outcome` for the file `fileName`; it names the
// folder instead for kFolderRefused, and lives no longer than both.
TransferReport ReportOf(const TransferOutcome& outcome, const char* fileName);

// Reads every record of `path` through the loaded filter into `database`, in sort order
// (duplicates as the store resolves them), and notes the file's encoding in the database.
// Progress goes to `ui` when it is not null. False when the file cannot be opened, is UTF-16
// or cannot be read to its end; the references read so far stay.
bool LoadWithFilter(Database& database, const char* path, const LoadedFilter& filter,
                    TransferUi* ui, TransferOutcome& outcome);

// Writes every reference of `database`, in list order and in the encoding of its file,
// through the loaded filter to a new file beside `path`, then puts it in the place of `path`
// (keeping the old file as the backup first when `backups` is set and no backup exists).
// When `path` is a symbolic link, the file it links to is the one replaced, and the link
// stays. A read-only file is refused. False when anything failed; the old file is then
// untouched and the new one gone.
bool SaveWithFilter(const Database& database, const char* path, const LoadedFilter& filter,
                    bool backups, void* owner, TransferUi* ui, TransferOutcome& outcome);

// Loads or saves with the filter of that file name; kFilterMissing when it does not load or
// lacks LoadRef or SaveRef.
bool LoadDatabaseFile(Database& database, const char* path, const char* filterName,
                      TransferUi* ui, TransferOutcome& outcome);
bool SaveDatabaseFile(const Database& database, const char* path, const char* filterName,
                      bool backups, TransferUi* ui, TransferOutcome& outcome);

// Writes `length` bytes of `text` as they are to `path`, in the same safe way.
bool SaveTextFile(const char* text, std::size_t length, const char* path, bool backups,
                  TransferOutcome& outcome);

// The backup name of `path`, beside it: the path up to the last "." of the file's own name
// (all of it when the name has none but at its start), then ".BAK". False when it does not
// fit.
bool BackupName(const char* path, char* out, std::size_t outSize);

// The load or save of one database for `command`; `ask` shows the file dialog. Returns 1 on
// success, else 0 (a failure has been reported through g_transfer.ui). Open and save as add
// the file to the recent files; import leaves the database modified and untitled; every other
// command clears `modified` and names the database after the file. A load that fails, or that
// the user abandons at a duplicate (the references read so far stay: 1), leaves the database
// untitled, so that no later save overwrites a file it holds only part of.
int TransferFile(Database& database, int command, int ask);

// Asks for (or takes) the file name: `name` (kPathSize bytes) receives the full path. Loading
// a file that does not exist reports it and drops it from the recent files. Returns 1, or 0
// when cancelled or missing.
int ChooseFile(int saving, int ask, const char* fileTypes, char* name);

// Whether the window of `database` may close: 1 when nothing needs saving, the user said No,
// or the save succeeded; 0 when the user cancelled or the save failed.
int ConfirmSave(Database& database);

// Writes the formatted bibliography text to a text file the user names. Returns 1 when it
// was written, else 0.
int SaveFormattedBibliography();

// The extension of the first pattern of a file-type list ("REF" of "*.REF", "PTG" of
// "*.PTG;*.PTX"), cut to fit; empty when the pattern names none.
void DefaultExtension(const char* fileTypes, char* out, std::size_t outSize);

#endif
