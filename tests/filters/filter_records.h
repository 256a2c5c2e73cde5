// Records read and written through a filter's exports, copied out of the filter so that they
// outlive its next call and show readably in failures. Shared by the filter tests and the fuzz
// targets, which differ only in how a failed check is reported.
#ifndef CARTULAN_TESTS_FILTERS_FILTER_RECORDS_H
#define CARTULAN_TESTS_FILTERS_FILTER_RECORDS_H

#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "io/filter_exports.h"

constexpr int kProgramBufferSize = 32768;

// Reports a failed check: by default it stops the process with the message (the fuzz
// targets); the tests install one that records a test failure.
void StopOnFault(bool condition, const char* what);
extern void (*g_recordCheck)(bool condition, const char* what);

// The field names as the expected files write them, in record order.
extern const char* const kRecordTextNames[kRecordTextCount];

// One LoadRef result, or one record for SaveRef (status unused): absent texts are empty.
struct RecordCopy {
    int status = kRecordDelivered;
    int sourceType = kRecordJournal;
    std::optional<std::string> texts[kRecordTextCount];

    bool operator==(const RecordCopy& other) const;
};

RecordCopy Record(int sourceType, std::initializer_list<std::pair<RecordText, std::string>> texts);
RecordCopy CopyRecord(const FilterRecord& record);
// The result that ends the reading: status 2, no texts.
RecordCopy NoReference();

void PrintTo(const RecordCopy& record, std::ostream* out);

// A file open as the program opens one (a 32,768-byte buffer with zero bytes behind it); a
// file open for writing is flushed on closing, as the program does after the last record.
struct OpenedFile {
    explicit OpenedFile(const std::string& path, int mode = kLineFileReadText);
    ~OpenedFile();
    std::vector<char> buffer;
    LineFile file;
};

// Calls loadRef on `path` as the program reads a file to the end: every result in order, the
// last one the end (status 2). Each result is checked: a status and source type in range, no
// texts with status 2, status 1 followed by 2, at most one call per byte and a last one, and
// the end answered again when asked once more. `flags` receives the file's flags.
std::vector<RecordCopy> LoadFile(LoadRefProc loadRef, const std::string& path,
                                 uint32_t* flags = nullptr);

// The references of LoadFile's results as the program takes them: without the end, and the
// status does not count.
std::vector<RecordCopy> References(std::vector<RecordCopy> records);

// Writes the records through saveRef into `path` as the program does and returns the bytes of
// the file; each result goes into `results`.
std::string SaveFile(SaveRefProc saveRef, const std::vector<RecordCopy>& records,
                     const std::string& path, std::vector<int>* results = nullptr,
                     int mode = kLineFileWrite);

// Of the filters_test program (golden_files_test.cpp): the filters' option sections cleared,
// a file of tests/data, a scratch file that lives as long as the program.
void ClearFilterOptions();
std::string TestDataPath(const std::string& relative);
std::string ScratchPath(const std::string& name);

#endif
