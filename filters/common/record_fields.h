// The texts of the record being read, kept as growable strings that keep their capacity from
// one record to the next, and the record the filter hands out, whose texts live in one block
// of the filter's heap until the next LoadRef or the unload.
#ifndef CARTULAN_FILTERS_COMMON_RECORD_FIELDS_H
#define CARTULAN_FILTERS_COMMON_RECORD_FIELDS_H

#include <string>
#include <string_view>

#include "io/filter_record.h"

// A field is present once any line has given it text, even an empty one; present empty and
// absent both count as empty for the "first kept" and joining rules.
struct FieldText {
    std::string text;
    bool present = false;
};

struct RecordFields {
    FieldText texts[kRecordTextCount];
    int sourceType = kRecordJournal;

    FieldText& operator[](RecordText field) { return texts[field]; }
};

void ClearField(FieldText& field);
void ClearFields(RecordFields& fields);

void SetField(FieldText& field, std::string_view text);
// Sets the field only while it is still empty.
void SetFieldIfEmpty(FieldText& field, std::string_view text);
// The old text, the separator, the new text; the new text alone while the field is empty.
void AppendField(FieldText& field, std::string_view separator, std::string_view text);
// The same, but the separator comes whenever the field is present, also when it is empty:
// for formats in which every line counts, an empty one too.
void AppendLine(FieldText& field, std::string_view separator, std::string_view text);

// The record handed out by LoadRef, with the block that holds its texts.
struct OwnedRecord {
    FilterRecord record{};
    char* block = nullptr;
};

// Frees the texts of the last record and clears the whole record (status and sourceType 0).
void ReleaseRecord(OwnedRecord& owned);
// Copies every present field into one new block and points the record at the copies (absent
// fields stay null); sets sourceType. False when memory is short: the record then has no
// texts.
bool PublishRecord(OwnedRecord& owned, const RecordFields& fields);

// What LoadRef returns when the library has no buffers (natively a refused load leaves the
// library mapped): a record without a reference, status 2.
FilterRecord* NoRecord();

#endif
