#include "keyword_list.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

#include "../support/cartio.h"
#include "search/keywords.h"

namespace {

constexpr char kSection[] = "Keywords";
// Each value is read with at most 398 characters.
constexpr int kValueSize = 399;
// The default of a read: no keyword is this text, so it tells a value that is missing or
// cannot be read from an empty one.
constexpr char kNotRead[] = "\x01";

void KeyName(int index, char* key, size_t size)
{
    std::snprintf(key, size, "%d", index);
}

// Whether the section has a value named `key`, readable or not. The names list is asked for
// with room for every key up to `index` and many more.
bool KeyStored(const char* key, int index)
{
    std::vector<char> names((static_cast<size_t>(index) + 1024) * 12);
    if (GetConfigStr(names.data(), static_cast<int>(names.size()), kSection, nullptr, "") <= 0)
        return false;
    for (const char* name = names.data(); *name; name += std::strlen(name) + 1) {
        if (std::strcmp(name, key) == 0)
            return true;
    }
    return false;
}

// The list box's order: the system's comparison ignoring case, through sort keys made once.
std::vector<size_t> SortedOrder(const std::vector<std::string>& keywords)
{
    std::vector<std::string> keys(keywords.size());
    std::vector<char> key(4 * (kKeywordMaxLength + 1) + 64);
    for (size_t i = 0; i < keywords.size(); ++i) {
        int length = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE,
                                  keywords[i].c_str(), -1, key.data(), static_cast<int>(key.size()));
        keys[i].assign(key.data(), length > 0 ? static_cast<size_t>(length) : 0);
    }
    std::vector<size_t> order(keywords.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    return order;
}

}  // namespace

std::vector<std::string> LoadKeywordList()
{
    std::vector<std::string> keywords;
    for (int index = 0;; ++index) {
        char key[16];
        KeyName(index, key, sizeof key);
        char value[kValueSize];
        GetConfigStr(value, sizeof value, kSection, key, kNotRead);
        if (std::strcmp(value, kNotRead) == 0) {
            if (!KeyStored(key, index))
                break;
            continue;
        }
        if (value[0] == '\0')
            break;
        keywords.emplace_back(value);
    }
    return keywords;
}

void SaveKeywordList(const std::vector<std::string>& keywords, const std::function<void()>& pump)
{
    DeleteConfigTree(kSection);
    for (size_t i = 0; i < keywords.size(); ++i) {
        if (i % kKeywordScanInterval == 0 && pump)
            pump();
        char key[16];
        KeyName(static_cast<int>(i), key, sizeof key);
        SetConfigStr(kSection, key, keywords[i].c_str());
    }
}

std::string ListBoxEntry(HWND list, int index)
{
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::vector<std::string> ListBoxEntries(HWND list, std::vector<bool>* selected)
{
    std::vector<std::string> entries;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        entries.push_back(ListBoxEntry(list, static_cast<int>(i)));
        if (selected)
            selected->push_back(SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
    }
    return entries;
}

bool FillKeywordListBox(HWND list, const std::vector<std::string>& keywords,
                        const std::vector<bool>& selected)
{
    size_t bytes = 0;
    for (const std::string& keyword : keywords)
        bytes += keyword.size() + 1;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_INITSTORAGE, keywords.size(), static_cast<LPARAM>(bytes));
    bool complete = true;
    for (size_t index : SortedOrder(keywords)) {
        // Inserting at the end keeps the order made above; it does not sort again.
        LRESULT at = SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(keywords[index].c_str()));
        if (at < 0) {
            complete = false;
            break;
        }
        if (index < selected.size() && selected[index])
            SendMessageA(list, LB_SETSEL, TRUE, at);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return complete;
}
