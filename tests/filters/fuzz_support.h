// What the filter fuzz targets share: the filter loaded as the program loads it, scratch files,
// and the checks every LoadRef result must pass.
#ifndef CARTULAN_TESTS_FILTERS_FUZZ_SUPPORT_H
#define CARTULAN_TESTS_FILTERS_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "io/filter_exports.h"

// Stops the run with a message when a check fails.
void FuzzCheck(bool condition, const char* what);

struct FuzzedFilter {
    LoadRefProc loadRef;
    SaveRefProc saveRef;  // null for an import filter
};

// Sets the process up as the program does (the buffer size, a private settings file with the
// given refer option) and loads FUZZED_FILTER by full path.
FuzzedFilter LoadFuzzedFilter(int referOption);

// The bytes in a scratch file of this process called `name`: its path. LoadAllChecked removes
// the file it reads.
std::string WriteScratch(const char* name, const uint8_t* data, size_t size);

struct RecordTexts {
    int sourceType = 0;
    std::optional<std::string> texts[kRecordTextCount];

    bool operator==(const RecordTexts& other) const;
};

// Reads the file as the program reads a reference file through loadRef to the end, checking
// every result: a status of 0, 1 or 2, a source type of 0, 1 or 2, status 2 with no texts,
// status 1 followed by 2, at most one call per byte of the file and a final one. Returns the
// references; `flags` receives the file's flags.
std::vector<RecordTexts> LoadAllChecked(LoadRefProc loadRef, const std::string& path,
                                        uint32_t* flags = nullptr);

// Writes the references through saveRef as the program saves a database read with `flags`
// (in the encoding found); returns the bytes written.
std::string SaveAll(SaveRefProc saveRef, const std::vector<RecordTexts>& records,
                    const std::string& path, uint32_t flags);

#endif
