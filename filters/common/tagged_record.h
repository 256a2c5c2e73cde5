// The record layout of the two-letter tag formats: each field line starts with its tag, a
// field runs on over lines that start with two spaces, and an empty line ends the record.
#ifndef CARTULAN_FILTERS_COMMON_TAGGED_RECORD_H
#define CARTULAN_FILTERS_COMMON_TAGGED_RECORD_H

#include <cstddef>
#include <string_view>

#include "cartio.h"
#include "filters/common/filter_buffers.h"
#include "filters/common/record_fields.h"

enum class JoinBy : unsigned char { kLineBreak, kSpace, kSemicolon, kComma };

// A tag of two letters is that tag only when the line does not start a longer one ("AUID"
// is not "AU"), unless its text starts further on: "ME" is written "MESH".
struct TagRule {
    char tag[2];
    RecordText field;
    JoinBy join;              // between the texts of two lines of the tag
    JoinBy continueBy;        // before the text of a continuation line
    unsigned char textStart;  // where the text starts, before the separators are skipped
};

// What separates a tag from its text: skipped at the start of the text.
constexpr std::string_view kTagSeparators = "\r\n\t: -";
constexpr size_t kTagTextStart = 2;

// The lines skipped before a record: empty lines, and lines that start with the digit 0 and
// whose leading number is not 0 (record counters).
bool SkippedBeforeRecord(std::string_view line);

// A line that starts with two blanks: it continues the field of the line before.
bool IsContinuation(std::string_view line);

// The rule whose tag the line starts with, or null.
const TagRule* FindTagRule(std::string_view line, const TagRule* rules, size_t count);

// The text that joins two texts of a field.
std::string_view JoinText(JoinBy join);

// Skips the lines before a record and reads the record's lines into `fields` (cleared first).
// Lines of unknown tags are dropped with their continuation lines. Returns the record's
// status: kRecordNone when the file ended before a record, kRecordDeliveredLast when it ended
// inside one.
int ReadTaggedRecord(LineFile* file, FilterBuffers& buffers, const TagRule* rules, size_t count,
                     RecordFields& fields);

// Once the record is complete: every join mark becomes a space.
void ResolveJoinMarks(RecordFields& fields);

// The source splits: the text after the last ':' becomes `pages`, then the text after the
// last '(' up to the next ')' becomes `number`, each only while that field is empty; `copy`
// is cut before each mark found. Texts keep their blanks.
void TakePagesAndIssue(std::string& copy, FieldText& pages, FieldText& number);

#endif
