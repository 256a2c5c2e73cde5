// The text of a whole bibliography: the format's header, each reference formatted in list
// order, then the footer, as the bibliography window shows it formatted and the reference
// editor copies and prints a single reference.
#ifndef CARTULAN_FORMAT_BIBLIOGRAPHY_TEXT_H
#define CARTULAN_FORMAT_BIBLIOGRAPHY_TEXT_H

#include <cstddef>
#include <cstdint>
#include <functional>

#include "format/bib_format.h"

class Reference;
class ReferenceList;

// The buffer the bibliography window formats into, and the room kept free at its end.
constexpr std::size_t kBibliographyTextSize = 524287;
constexpr std::size_t kBibliographyMargin = 100;

struct BibliographyText {
    std::size_t length = 0;  // characters written, without the terminator
    int32_t included = 0;    // references formatted into the text
    bool truncated = false;  // the size limit left references out
};

// Called once when the text reaches its size limit; the shell then tells the user that the
// bibliography is truncated (message 527).
using BibliographyLimitNotice = std::function<void()>;

// Writes the header, the references of `references` in order, and the footer into `out`
// (`outSize` bytes, normally kBibliographyTextSize; always terminated when it is at least 1).
// The header counts towards the limit: a reference is left out, and so are all after it, when
// the text with it would come within kBibliographyMargin bytes of the end or leave no room for
// the footer. The footer is always written. `tooLong` (may be empty) is called at the first
// reference left out.
BibliographyText BuildBibliographyText(const BibFormat& format, const ReferenceList& references,
                                       char* out, std::size_t outSize,
                                       const BibliographyLimitNotice& tooLong);

// The header, one reference and the footer, under the same limits.
BibliographyText BuildSingleReferenceText(const BibFormat& format, const Reference& reference,
                                          char* out, std::size_t outSize);

#endif
