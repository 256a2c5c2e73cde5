// The one-line summary of a reference: its names shortened as asked, a TAB, the date in
// parentheses and, when asked, the title. The database window draws it for every line, the
// reference keeps it as its summary and the bibliography format uses its names part.
#ifndef CARTULAN_STORE_NAME_SUMMARY_H
#define CARTULAN_STORE_NAME_SUMMARY_H

#include <cstddef>
#include <cstdint>

class Reference;

// The form of the summary line. The names mode takes bits 0-1; 0 leaves the list as stored.
enum SummaryFlags : uint32_t {
    kSummaryAll = 1,            // "Bloggs, F, Smith, J, and Other, AN"
    kSummaryFirstOnly = 2,      // "Bloggs, F"
    kSummaryTwoOrOneEtAl = 3,   // "Bloggs, F, Smith, J" or "Bloggs, F et al"
    kSummaryNamesMask = 3,
    kSummaryWithTitle = 4,      // append the title, or the source when there is no title
    kSummaryUseEditors = 256,   // the editors instead of the authors
    kSummaryYearOnly = 512,     // only the year of a date holding a blank or a slash
};

// The size of the buffers in which summary lines and formatted fields are built.
constexpr std::size_t kSummaryBufferSize = 16384;

// The word put before the last name by the All mode, "and " in English; the shell sets it
// from the language library. Longer texts are cut to 11 characters.
constexpr std::size_t kAndWordMaxLength = 11;
void SetAndWord(const char* word);

// Writes the summary line of `reference` into `out` (always terminated, cut to fit `outSize`).
// The names are the editors with kSummaryUseEditors, else the authors, or the editors when
// there are no authors; names are never reordered or abbreviated, only the list is shortened.
void formatNameSummary(const Reference& reference, uint32_t flags, char* out,
                       std::size_t outSize);

#endif
