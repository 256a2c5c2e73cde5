// Keywords: the texts that may enter the program's keyword list, the keywords the user picks
// from it, and adding them to references.
#ifndef CARTULAN_SEARCH_KEYWORDS_H
#define CARTULAN_SEARCH_KEYWORDS_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class Database;
class Reference;
class ReferenceList;

// The settings store gives back values of at most 254 characters (longer ones read as
// missing), so no keyword of the list is longer: what is saved can always be loaded again.
constexpr std::size_t kKeywordMaxLength = 254;
// The chosen keywords, joined by CR LF, stay below this many characters.
constexpr std::size_t kChosenKeywordsSize = 399;
// The scan of a database reports its progress before every 64th reference.
constexpr int32_t kKeywordScanInterval = 64;

// Distinct keywords, letter case ignored, in the order they were first met.
struct KeywordSet {
    std::vector<std::string> keywords;
    // The lower-case form of each, kept where it never moves, and looked up through views of
    // it, so that testing a line allocates nothing.
    std::deque<std::string> foldedStore;
    std::unordered_set<std::string_view> folded;
    std::string scratch;
};

// Adds the `length` characters at `text` unless an equal keyword (ignoring case) is there.
// True when it was added.
bool AddKeyword(KeywordSet& set, const char* text, std::size_t length);

// A typed text as the list takes it: every CR and the character after it become a space each
// (a CR at the very end just one), and the whole is cut to kKeywordMaxLength.
std::string KeywordFromTypedText(const char* text);

// Adds to `set` the lines of a keywords field that may enter the list: the text is cut into
// lines at each CR (the CR and the character after it are dropped); a line counts when it
// begins with a letter or a digit, and is cut to kKeywordMaxLength. Null adds nothing.
void CollectKeywordLines(const char* keywords, KeywordSet& set);

// CollectKeywordLines for every reference of `references`, calling `progress` with the index
// before every kKeywordScanInterval-th reference (the first included).
void ScanKeywords(const ReferenceList& references, KeywordSet& set,
                  const std::function<void(int32_t scanned)>& progress);

// The chosen keywords: `entries` in order, joined by CR LF, taking an entry only when the
// text stays below kChosenKeywordsSize characters with it (one that does not fit is left out
// with its separator).
std::string JoinChosenKeywords(const std::vector<std::string>& entries);

// Adds `chosen` to the keywords of `reference`: after a CR LF when its keywords end in
// neither CR nor LF; a reference without keywords takes a copy. A keyword already present is
// added again. An empty `chosen` changes nothing. Returns 0 when memory runs out (the
// keywords are as they were).
int AddKeywordsToReference(Reference& reference, const char* chosen);

// Adds `chosen` to every selected reference of `database` (selection as indexes into its
// references, in any order; invalid and repeated ones ignored), from the highest index to the
// lowest, and marks the database modified when any changed. Every list whose order depends on
// keywords and holds changed references (the database's own, and the bibliography's or the
// source databases' that share them) gets them back in sorted order; one now equal to a
// neighbour stays beside it, since adding keywords never drops a reference. The moved lines of
// `database` stay selected. Returns the number changed.
int32_t AddKeywordsToSelection(Database& database, const int32_t* indexes, int32_t count,
                               const char* chosen);

#endif
