// Finding a search text inside a field: byte for byte, or ignoring case by the code-page 1252
// folding of the text rules. Nothing is copied or allocated per field; a matcher is prepared
// once per search and then tests any number of fields.
#ifndef CARTULAN_SEARCH_TEXT_MATCH_H
#define CARTULAN_SEARCH_TEXT_MATCH_H

#include <cstddef>

// A search text holds at most 255 characters.
constexpr std::size_t kSearchTextSize = 256;

struct TextMatcher {
    // The search text, folded to lower case when case does not count.
    unsigned char pattern[kSearchTextSize] = {};
    std::size_t length = 0;
    bool caseSensitive = false;
    // Two bytes of the text, the least common in ordinary text, pick the places where it may
    // start: each probe is an offset into the text and the two bytes accepted there (the
    // case forms that fold to the text's byte; the same byte twice when case counts or the
    // byte has no partner). Only where both probes agree is the whole text compared.
    std::size_t probeOffsets[2] = {};
    unsigned char probeBytes[2][2] = {};
    // The case folding of every byte.
    unsigned char fold[256] = {};
};

// Prepares `matcher` for `text` (null counts as empty; longer texts are cut to 255
// characters).
void PrepareTextMatcher(TextMatcher& matcher, const char* text, bool caseSensitive);

// Whether the prepared text occurs in `field` as a contiguous run: the same bytes, or with
// case ignored the same bytes once both are folded to lower case. An absent (null) field
// never matches; an empty search text is found in every present field.
bool MatcherFinds(const TextMatcher& matcher, const char* field);

// The same for one field and one text, preparing a matcher on the way.
bool FieldContains(const char* field, const char* text, bool caseSensitive);

#endif
