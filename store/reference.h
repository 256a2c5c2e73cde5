// One bibliographic reference held in memory.
//
// A reference belongs to the reference lists that hold it: `refCount` counts them, only the
// lists raise and lower it, and the list that drops the last hold destroys the reference.
// Every transfer except adding to the bibliography puts a copy (CopyReference) into the
// receiving list, so a reference is held by at most two lists.
#ifndef CARTULAN_STORE_REFERENCE_H
#define CARTULAN_STORE_REFERENCE_H

#include <cstdint>

#include "store/store_object.h"

// What `source` names, and how it is labelled and formatted.
enum SourceType : int32_t {
    kSourceJournal = 0,  // journal or other published periodical
    kSourceBook = 1,
    kSourceReport = 2,   // report, thesis or other unpublished work
};

// The text fields in their order: the twelve that cross the filter interface, then the
// cached summary line.
enum ReferenceField {
    kFieldAuthors,
    kFieldDate,
    kFieldTitle,
    kFieldSource,
    kFieldVolume,
    kFieldNumber,
    kFieldPages,
    kFieldAbstract,
    kFieldKeywords,
    kFieldPublisher,
    kFieldCity,
    kFieldEditors,
    kFieldSummary,
};
constexpr int kFilterTextCount = 12;
constexpr int kReferenceTextCount = 13;

// Every text is owned by the reference (C heap, see owned_text.h) and null when absent. The
// multi-line fields (authors, abstract, keywords, editors) separate their lines with CR LF.
class Reference : public StoreObject {
public:
    int32_t sourceType = kSourceJournal;
    int32_t refCount = 0;
    char* authors = nullptr;    // one name per line
    char* date = nullptr;       // a bare year or a fuller date with the year in it
    char* title = nullptr;
    char* source = nullptr;     // journal, book title or report issuer, as sourceType says
    char* volume = nullptr;
    char* number = nullptr;
    char* pages = nullptr;
    char* abstract = nullptr;
    char* keywords = nullptr;   // one keyword per line
    char* publisher = nullptr;
    char* city = nullptr;
    char* editors = nullptr;    // one name per line
    char* summary = nullptr;    // names, TAB, (date), two spaces, title; see RebuildSummary

    Reference() = default;
    ~Reference() override;
};

// The text fields by their ReferenceField number.
extern char* Reference::* const kReferenceTexts[kReferenceTextCount];

const char* ReferenceText(const Reference& reference, ReferenceField field);

// Stores a copy of `text` (null makes the field absent). Returns 0 when memory runs out and
// the field keeps its old text. Changing authors, date, title, source or editors calls for
// RebuildSummary afterwards.
int SetReferenceText(Reference& reference, ReferenceField field, const char* text);

// The input defaults that new references start from.
constexpr int kDefaultDateSize = 20;  // 19 characters and the terminator
struct InputDefaults {
    int32_t sourceType = kSourceJournal;
    char date[kDefaultDateSize] = "1994";
};

// A new reference with the default source type and a copy of the default date, even when that
// is empty (the date is then an empty text, not absent); refCount 0. Null when memory runs out.
Reference* CreateReference(const InputDefaults& defaults);

// An independent copy of every present text and the source type, with refCount 0. Null when
// memory runs out.
Reference* CopyReference(const Reference& reference);

// Rebuilds `summary` as formatNameSummary makes it with flags All and withTitle. Returns 0
// when memory runs out; the old summary is then kept.
int RebuildSummary(Reference& reference);

#endif
