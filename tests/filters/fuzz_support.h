// What the filter fuzz targets share beyond the records of filter_records.h: the filter loaded
// as the program loads it, and scratch files.
#ifndef CARTULAN_TESTS_FILTERS_FUZZ_SUPPORT_H
#define CARTULAN_TESTS_FILTERS_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "filter_records.h"

struct FuzzedFilter {
    LoadRefProc loadRef;
    SaveRefProc saveRef;  // null for an import filter
};

// Sets the process up as the program does (the buffer size, a private settings file with the
// given refer option) and loads FUZZED_FILTER by full path.
FuzzedFilter LoadFuzzedFilter(int referOption);

// The bytes in a scratch file of this process called `name`: its path.
std::string WriteScratch(const char* name, const uint8_t* data, size_t size);

// The references of a file of arbitrary bytes, read through loadRef with every check of
// LoadFile (see References); the file is removed. `flags` receives the file's flags.
std::vector<RecordCopy> LoadScratch(LoadRefProc loadRef, const uint8_t* data, size_t size,
                                    uint32_t* flags = nullptr);

#endif
