#include "io/transfer_state.h"

#include <cstdlib>
#include <cstring>

#include "store/text/text_rules.h"
#include "store/owned_text.h"

TransferState g_transfer;

namespace {

int FindRecentFile(const char* name)
{
    for (int i = 0; i < kRecentFileCount && g_transfer.recentFiles[i] != nullptr; ++i)
        if (CompareTextI(g_transfer.recentFiles[i], name) == 0) return i;
    return -1;
}

}  // namespace

void SetDefaultFilter(const char* name)
{
    std::strncpy(g_transfer.defaultFilter, name != nullptr ? name : "", kFilterNameSize - 1);
    g_transfer.defaultFilter[kFilterNameSize - 1] = '\0';
}

void AddRecentFile(const char* name)
{
    if (name == nullptr || name[0] == '\0') return;
    char** files = g_transfer.recentFiles;
    int found = FindRecentFile(name);
    char* entry;
    if (found >= 0) {
        entry = files[found];
    } else {
        entry = CopyText(name);
        if (entry == nullptr) return;
        found = kRecentFileCount - 1;
        std::free(files[found]);
    }
    for (int i = found; i > 0; --i) files[i] = files[i - 1];
    files[0] = entry;
}

void RemoveRecentFile(const char* name)
{
    if (name == nullptr) return;
    const int found = FindRecentFile(name);
    if (found < 0) return;
    char** files = g_transfer.recentFiles;
    std::free(files[found]);
    for (int i = found; i < kRecentFileCount - 1; ++i) files[i] = files[i + 1];
    files[kRecentFileCount - 1] = nullptr;
}

int RecentFileCount()
{
    int count = 0;
    while (count < kRecentFileCount && g_transfer.recentFiles[count] != nullptr) ++count;
    return count;
}

void ClearRecentFiles()
{
    for (char*& file : g_transfer.recentFiles) FreeText(&file);
}
