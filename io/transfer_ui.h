// What the transfer engine needs from the user interface: a file name, a format, a yes/no/
// cancel question, failure reports and progress. The shell implements it with its dialogs,
// message boxes and progress window; tests and the command-line companion implement their own.
#ifndef CARTULAN_IO_TRANSFER_UI_H
#define CARTULAN_IO_TRANSFER_UI_H

#include <cstddef>

#include "io/transfer_state.h"

class Database;

// Why a transfer failed.
enum class TransferFailure {
    kNone,
    kFilterMissing,  // the filter does not load or lacks the export; the name is the filter's
    kNameTooLong,    // the file name does not fit kPathSize (it would name another file cut)
    kFileMissing,    // the file to load does not exist ("Cannot open data file")
    kOpenFailed,     // the file could not be opened or created
    kReadFailed,     // reading stopped before the end of the file
    kWriteFailed,    // a write or the final flush failed
    kSaveStopped,    // the filter stopped the save before the last reference
    kReplaceFailed,  // the new file could not take the old one's place
    kNoMemory,
    kReadOnly,       // the file to save is read-only: it was left as it was
    kFolderRefused,  // no new file could be made in the folder (the report names the folder)
    kUtf16,          // the file to load is UTF-16, which is not read
    // Not a failure: the load succeeded, but `count` characters of the file have no character
    // in the program's code page and are kept as escapes "{U+XXXX}" (see cartio.h).
    kUnmappedCharacters,
};

// What a failure report carries: the file and why, with the error code when there is one
// (0 when there is none).
struct TransferReport {
    TransferFailure failure = TransferFailure::kNone;
    const char* fileName = "";
    int error = 0;
    bool platformError = false;  // `error` is the platform's code, not the C library's
    unsigned long count = 0;     // kUnmappedCharacters: how many
};

// A file dialog request: open (the file must exist) or save (an existing file needs
// confirmation). The dialog starts with `name` and writes the chosen name back into it.
struct FileRequest {
    bool saving = false;
    const char* fileTypes = nullptr;  // description/pattern pairs, ended by an empty text
    char defaultExtension[8] = "";    // behind the "*." of the first pattern
    const char* initialDirectory = "";  // empty: the platform's choice
    char name[kPathSize] = "";
};

enum class SaveAnswer { kYes, kNo, kCancel };

// The progress texts: "Loaded %lu references", "Saved %lu references".
enum class TransferProgress { kLoaded, kSaved };

class TransferUi {
public:
    virtual ~TransferUi() = default;

    // The frame window, owner of what a filter shows while loading.
    virtual void* frameWindow() = 0;
    // Shows the file dialog; false when the user cancels.
    virtual bool chooseFileName(FileRequest& request) = 0;
    // Lets the user choose a filter for importing (505) or exporting (546), listed by
    // ListFilters; writes its file name into `fileName` (kFilterNameSize bytes). False when
    // the user cancels.
    virtual bool chooseFormat(int mode, char* fileName) = 0;
    // Asks whether to save the changed `database` before its window closes.
    virtual SaveAnswer askToSave(const Database& database) = 0;
    // Tells the user that a transfer failed.
    virtual void reportFailure(const TransferReport& report) = 0;

    // The progress window over a transfer of `fileName`; the frame is disabled meanwhile.
    // Returns the progress window, owner of what a filter shows while saving.
    virtual void* beginProgress(const char* fileName) = 0;
    // Shows the count and lets pending window messages be handled.
    virtual void progress(TransferProgress kind, unsigned long count) = 0;
    virtual void endProgress() = 0;
    // The file name of `database` changed: its window title follows.
    virtual void fileNameChanged(Database& database) = 0;

    // The text of the formatted bibliography window, cut to fit `size` bytes with its
    // terminator. Returns the length delivered.
    virtual std::size_t formattedBibliography(char* buffer, std::size_t size) = 0;
};

// A one-line English description of a failure, naming the file and the reason, for
// programs without a language library.
void DescribeTransferFailure(const TransferReport& report, char* out, std::size_t outSize);

// The platform's or the C library's description of the report's error code; empty when the
// report has none.
void DescribeTransferError(const TransferReport& report, char* out, std::size_t outSize);

#endif
