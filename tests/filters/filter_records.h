// Records read and written through a filter's exports, copied out of the filter so that they
// outlive its next call, and shown readably in failures.
#ifndef CARTULAN_TESTS_FILTERS_FILTER_RECORDS_H
#define CARTULAN_TESTS_FILTERS_FILTER_RECORDS_H

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "io/filter_exports.h"

// The field names as the expected files write them, in record order.
extern const char* const kRecordTextNames[kRecordTextCount];

// One LoadRef result: absent texts are empty optionals.
struct RecordCopy {
    int status = kRecordDelivered;
    int sourceType = kRecordJournal;
    std::optional<std::string> texts[kRecordTextCount];

    bool operator==(const RecordCopy& other) const;
};

// Control characters and bytes above 126 as escapes (\r, \n, \xHH), so that failures show
// every byte.
std::string Escaped(const std::string& text);
void PrintTo(const RecordCopy& record, std::ostream* out);

RecordCopy CopyRecord(const FilterRecord& record);

// The result that ends the reading: status 2, no texts.
RecordCopy NoReference();

// Opens `path` for reading as the program does (as text, a 32,768-byte buffer with zero bytes
// behind it) and calls loadRef until it answers status 2, at most `limit` times: every result
// in order. A filter whose status 1 is not followed by status 2 fails the test.
std::vector<RecordCopy> LoadFile(LoadRefProc loadRef, const std::string& path, size_t limit = 1000);

// A record whose texts point into `storage` (absent texts null), for SaveRef.
struct SaveInput {
    int sourceType = kRecordJournal;
    std::optional<std::string> texts[kRecordTextCount];
};

// Writes the records through saveRef into `path` as the program does (a new file in `mode`,
// the buffer marked dirty after the last call) and returns the bytes of the file. Each saveRef
// result goes into `results` when given.
std::string SaveFile(SaveRefProc saveRef, const std::vector<SaveInput>& records,
                     const std::string& path, std::vector<int>* results = nullptr,
                     int mode = kLineFileWrite);

#endif
