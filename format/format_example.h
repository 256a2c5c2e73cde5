// The example the format dialog shows: a format text applied to a sample reference.
#ifndef CARTULAN_FORMAT_FORMAT_EXAMPLE_H
#define CARTULAN_FORMAT_FORMAT_EXAMPLE_H

#include <cstddef>

#include "format/bib_format.h"

struct InputDefaults;

// Room for the header, one formatted reference and the footer.
constexpr std::size_t kFormatExampleSize = kFormattedReferenceSize + 2 * kBibFormatTextSize;

// Parses `formatText` (null reads as empty) on its own, without touching the current format,
// and writes its header, the sample reference under its body, and its footer into `out`
// (always terminated when `outSize` is at least 1). The sample is a new reference of the
// default source type with fixed texts in every field, so that a format shows what each of its
// groups writes. Returns the length written.
std::size_t FormatExample(const char* formatText, const InputDefaults& defaults, char* out,
                          std::size_t outSize);

#endif
