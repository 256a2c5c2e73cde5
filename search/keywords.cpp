#include "search/keywords.h"

#include <algorithm>
#include <cstring>

#include "store/text/text_rules.h"
#include "store/database.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/sort_order.h"
#include "store/store_state.h"
#include "store/store_ui.h"

namespace {

// Whether the order of `list` looks at keywords: a key of None ends the keys.
bool OrdersByKeywords(const ReferenceList& list)
{
    for (int32_t key : list.sortKeys().keys) {
        const int32_t field = key & kSortFieldMask;
        if (field >= kSortNone) return false;
        if (field == kSortKeywords) return true;
    }
    return false;
}

// The valid, distinct indexes of a selection in ascending order.
std::vector<int32_t> ValidSelection(const int32_t* indexes, int32_t count, int32_t listCount)
{
    std::vector<int32_t> selection;
    for (int32_t i = 0; indexes != nullptr && i < count; ++i)
        if (indexes[i] >= 0 && indexes[i] < listCount) selection.push_back(indexes[i]);
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    return selection;
}

// The changed references that one list holds and must put back in order, by their index in
// that list.
struct HeldReferences {
    Database* database = nullptr;
    std::vector<std::pair<int32_t, Reference*>> held;  // ascending index
};

// Where `list` holds `reference` itself, or -1. Found while the list is still in order.
int32_t IndexOfObject(const ReferenceList& list, Reference* reference)
{
    int32_t index;
    if (!list.find(list.keyFor(reference), index)) return -1;
    return list.referenceAt(index) == reference ? index : -1;
}

// The lists to put back in order: the database's own holds the selection; any other that
// orders by keywords holds the changed references that another list shares (refCount > 1).
std::vector<HeldReferences> ListsToReorder(Database& database, const std::vector<int32_t>& selection,
                                           const std::vector<Reference*>& changed)
{
    std::vector<HeldReferences> lists;
    for (Database* other = FirstDatabase(); other != nullptr; other = NextDatabase(*other)) {
        if (other->references == nullptr || !OrdersByKeywords(*other->references)) continue;
        HeldReferences entry;
        entry.database = other;
        for (std::size_t i = 0; i < changed.size(); ++i) {
            if (other == &database) {
                entry.held.emplace_back(selection[i], changed[i]);
            } else if (changed[i]->refCount > 1) {
                const int32_t index = IndexOfObject(*other->references, changed[i]);
                if (index >= 0) entry.held.emplace_back(index, changed[i]);
            }
        }
        std::sort(entry.held.begin(), entry.held.end());
        if (!entry.held.empty()) lists.push_back(std::move(entry));
    }
    return lists;
}

// Takes the held references out of their list (a hold of our own keeps each alive).
void TakeOut(HeldReferences& entry, StoreUi& ui)
{
    ReferenceList& list = *entry.database->references;
    for (auto at = entry.held.rbegin(); at != entry.held.rend(); ++at) {
        ++at->second->refCount;
        list.removeAt(at->first, 1);
        ui.lineDeleted(*entry.database, at->first);
    }
}

// Puts them back where their new keys belong, beside an equal reference if there is one.
void PutBack(HeldReferences& entry, bool selectLines, StoreUi& ui)
{
    ReferenceList& list = *entry.database->references;
    for (auto& held : entry.held) {
        Reference* reference = held.second;
        int32_t index;
        list.find(list.keyFor(reference), index);
        const int32_t at = list.insertAt(index, reference);
        if (at >= 0) {
            ui.lineInserted(*entry.database, at);
            if (selectLines) ui.lineSelected(*entry.database, at);
        }
        if (--reference->refCount <= 0) delete reference;
    }
}

}  // namespace

bool AddKeyword(KeywordSet& set, const char* text, std::size_t length)
{
    set.scratch.assign(text, length);
    for (char& c : set.scratch) c = ToLowerChar(c);
    if (set.folded.count(set.scratch) != 0) return false;
    set.folded.insert(set.foldedStore.emplace_back(set.scratch));
    set.keywords.emplace_back(text, length);
    return true;
}

std::string KeywordFromTypedText(const char* text)
{
    std::string keyword = text != nullptr ? text : "";
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        if (keyword[i] != '\r') continue;
        keyword[i] = ' ';
        if (i + 1 < keyword.size()) keyword[++i] = ' ';
    }
    if (keyword.size() > kKeywordMaxLength) keyword.resize(kKeywordMaxLength);
    return keyword;
}

void CollectKeywordLines(const char* keywords, KeywordSet& set)
{
    if (keywords == nullptr) return;
    const char* line = keywords;
    while (*line != 0) {
        const char* end = std::strchr(line, '\r');
        if (end == nullptr) end = line + std::strlen(line);
        if (IsAlphaNumeric(*line))
            AddKeyword(set, line, std::min<std::size_t>(end - line, kKeywordMaxLength));
        if (*end == 0) break;
        line = end[1] != 0 ? end + 2 : end + 1;
    }
}

void ScanKeywords(const ReferenceList& references, KeywordSet& set,
                  const std::function<void(int32_t scanned)>& progress)
{
    for (int32_t i = 0; i < references.count(); ++i) {
        if (i % kKeywordScanInterval == 0 && progress) progress(i);
        if (const Reference* reference = references.referenceAt(i))
            CollectKeywordLines(reference->keywords, set);
    }
}

std::string JoinChosenKeywords(const std::vector<std::string>& entries)
{
    std::string chosen;
    for (const std::string& entry : entries) {
        const std::size_t separator = chosen.empty() ? 0 : 2;
        if (chosen.size() + separator + entry.size() >= kChosenKeywordsSize) continue;
        if (separator != 0) chosen += "\r\n";
        chosen += entry;
    }
    return chosen;
}

int AddKeywordsToReference(Reference& reference, const char* chosen)
{
    if (chosen == nullptr || *chosen == 0) return 1;
    std::string keywords = reference.keywords != nullptr ? reference.keywords : "";
    if (!keywords.empty() && keywords.back() != '\r' && keywords.back() != '\n')
        keywords += "\r\n";
    keywords += chosen;
    return SetReferenceText(reference, kFieldKeywords, keywords.c_str());
}

int32_t AddKeywordsToSelection(Database& database, const int32_t* indexes, int32_t count,
                               const char* chosen)
{
    if (database.references == nullptr || chosen == nullptr || *chosen == 0) return 0;
    const std::vector<int32_t> selection =
        ValidSelection(indexes, count, database.references->count());
    if (selection.empty()) return 0;
    std::vector<Reference*> changed;
    for (int32_t index : selection) changed.push_back(database.references->referenceAt(index));

    // The lists are searched for the references while the old keys still order them.
    std::vector<HeldReferences> lists = ListsToReorder(database, selection, changed);
    // Besides those lists, a bibliography shown as formatted text shows the keywords too.
    std::vector<Database*> touched = {&database};
    Database* bibliography = g_store.bibliography;
    if (bibliography != nullptr && bibliography != &database &&
        std::any_of(changed.begin(), changed.end(), [](const Reference* r) { return r->refCount > 1; }))
        touched.push_back(bibliography);
    for (const HeldReferences& entry : lists)
        if (std::find(touched.begin(), touched.end(), entry.database) == touched.end())
            touched.push_back(entry.database);

    StoreUi& ui = CurrentStoreUi();
    for (Database* each : touched) ui.updatesBegun(*each);
    for (HeldReferences& entry : lists) TakeOut(entry, ui);
    int32_t added = 0;
    for (auto at = changed.rbegin(); at != changed.rend(); ++at)
        added += AddKeywordsToReference(**at, chosen);
    for (HeldReferences& entry : lists) PutBack(entry, entry.database == &database, ui);
    for (Database* each : touched) ui.updatesEnded(*each);
    if (added > 0) database.modified = 1;
    return added;
}
