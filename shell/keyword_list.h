// The program's keyword list: kept in the settings (section "Keywords", keys "0", "1", ...
// each holding one keyword) and shown in the sorted list box of the keywords dialog.
#ifndef CARTULAN_SHELL_KEYWORD_LIST_H
#define CARTULAN_SHELL_KEYWORD_LIST_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The stored keywords from key "0" on, up to the first key that is missing or empty. A key
// whose value cannot be read (too long for the settings store) is passed over, so it does not
// hide the keywords after it.
std::vector<std::string> LoadKeywordList();

// Replaces the whole section with `keywords` under the keys "0" to n - 1, calling `pump`
// before every 64th.
void SaveKeywordList(const std::vector<std::string>& keywords, const std::function<void()>& pump);

// The text of entry `index` of a list box (empty outside the list).
std::string ListBoxEntry(HWND list, int index);

// The entries of a list box, in list order, and whether each is selected.
std::vector<std::string> ListBoxEntries(HWND list, std::vector<bool>* selected = nullptr);

// Replaces the entries of the sorted list box `list` with `keywords`, keeping the selection of
// those flagged in `selected` (same length, or empty). The keywords are put in the list box's
// own order first and then appended in one pass, with redrawing off, so that a long list is
// filled at once. False when the list box ran out of room (the keywords before stay).
bool FillKeywordListBox(HWND list, const std::vector<std::string>& keywords,
                        const std::vector<bool>& selected);

#endif
