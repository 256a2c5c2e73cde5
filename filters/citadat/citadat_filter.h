// The citadat filter's state for one load of the library and its options, shared by its
// reading and options code.
#ifndef CARTULAN_FILTERS_CITADAT_CITADAT_FILTER_H
#define CARTULAN_FILTERS_CITADAT_CITADAT_FILTER_H

#include "filters/common/filter_buffers.h"
#include "filters/common/record_fields.h"

// "citadat"/"Opts": a bit set.
constexpr const char* kCitadatSection = "citadat";
constexpr const char* kCitadatOptionsKey = "Opts";
constexpr int kAddUnreadKeyword = 1;
constexpr int kLowerCaseFields = 2;
constexpr int kAddDocumentTypeKeyword = 4;
constexpr int kCitadatOptionsDefault = kAddUnreadKeyword | kLowerCaseFields
                                       | kAddDocumentTypeKeyword;
// The options of a freshly loaded library, read at its first LoadRef.
constexpr int kOptionsNotRead = 65535;

struct CitadatFilter {
    FilterBuffers buffers;
    RecordFields fields;
    FieldText documentType;  // never delivered as a field; may become a keyword
    OwnedRecord owned;
    int options = kOptionsNotRead;
};

// The loaded filter, or null while the library is not ready.
CitadatFilter* TheCitadatFilter();

#endif
