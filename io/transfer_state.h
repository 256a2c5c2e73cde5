// The program-wide state of file transfers: the default filter, the recent files, the last
// directory of a file dialog and the backup flag. Loaded and saved with the settings.
#ifndef CARTULAN_IO_TRANSFER_STATE_H
#define CARTULAN_IO_TRANSFER_STATE_H

#include <cstdint>

class TransferUi;

constexpr int kFilterNameSize = 32;  // a filter's file name: at most 31 characters
constexpr int kRecentFileCount = 6;
constexpr int kPathSize = 260;       // a full file name: at most 259 characters
constexpr char kDefaultFilterName[] = "REFER.FLT";

struct TransferState {
    char defaultFilter[kFilterNameSize] = "REFER.FLT";
    char currentFilter[kFilterNameSize] = "";
    // Owned texts, most recent first; the list ends at the first null.
    char* recentFiles[kRecentFileCount] = {};
    char lastDirectory[kPathSize] = "";
    int32_t saveBackups = 1;
    TransferUi* ui = nullptr;  // null: nothing is asked or shown, dialogs are cancelled
};

extern TransferState g_transfer;

// Copies `name` into the default filter, cut to 31 characters.
void SetDefaultFilter(const char* name);

// Puts `name` first among the recent files (moving it there when it is present, compared
// ignoring case; otherwise the sixth is dropped).
void AddRecentFile(const char* name);
// Takes `name` (compared ignoring case) out of the recent files and closes the gap.
void RemoveRecentFile(const char* name);
// How many recent files there are.
int RecentFileCount();
// Frees every recent file.
void ClearRecentFiles();

#endif
