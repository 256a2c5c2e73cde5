// The refer filter's state for one load of the library, shared by its reading, writing and
// options code.
#ifndef CARTULAN_FILTERS_REFER_REFER_FILTER_H
#define CARTULAN_FILTERS_REFER_REFER_FILTER_H

#include <string>

#include "cartio.h"
#include "filters/common/filter_buffers.h"
#include "filters/common/record_fields.h"

// The one option: "Refer"/"Opt", 1 for files in the OEM code page.
constexpr const char* kReferSection = "Refer";
constexpr const char* kReferOptionKey = "Opt";
constexpr int kReferOptionDefault = 0;

struct ReferFilter {
    FilterBuffers buffers;
    RecordFields fields;
    OwnedRecord owned;
    std::string written;   // the line being written
    bool oemText = false;  // as read when the library was loaded
};

// The tag of a line that continues the abstract on a new line of the same paragraph ("%+ "),
// where every other line of the abstract starts a paragraph of its own.
constexpr char kAbstractLineTag = '+';

// Whether the OEM option converts the texts of `file`: never those of a UTF-8 file, which
// cartio converts itself.
bool ConvertsOem(const ReferFilter& filter, const LineFile* file);

// The loaded filter, or null while the library is not ready.
ReferFilter* TheReferFilter();

#endif
