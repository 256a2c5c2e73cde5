// What the filter fuzz targets share: loading the filter as the program does, scratch files
// that leave nothing behind, and the checks every LoadRef result must pass.
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

// Sets up the process as the program does before it loads a filter (a private settings file,
// removed at exit, with the given refer option), then loads FUZZED_FILTER by full path.
void* LoadFuzzedFilter(int referOption);

template <typename Proc>
Proc FuzzedExport(void* library, const char* name);

// LoadFuzzedFilter, then its LoadRef; stops the run when there is none.
LoadRefProc FuzzedLoadRef(void* library);
// The same for SaveRef.
SaveRefProc FuzzedSaveRef(void* library);

// A scratch file of this process, removed at exit.
std::string FuzzScratchPath(const char* name);
void WriteScratch(const std::string& path, const uint8_t* data, size_t size);

struct RecordTexts {
    int sourceType = 0;
    std::optional<std::string> texts[kRecordTextCount];

    bool operator==(const RecordTexts& other) const;
};

// Reads the file as the program reads a reference file (as text) through loadRef to the end,
// checking every result: a status of 0, 1 or 2, a source type of 0, 1 or 2, status 2 with no
// texts, status 1 followed by 2, at most one call per line of the file and a final one.
// Returns the references delivered; `flags`, when given, receives the file's flags.
std::vector<RecordTexts> LoadAllChecked(LoadRefProc loadRef, const std::string& path,
                                        size_t fileSize, uint32_t* flags = nullptr);

// The mode that writes a file in the encoding that `flags` found when it was read.
int WriteModeFor(uint32_t flags);

// Writes the references through saveRef as the program does; returns the bytes written.
std::string SaveAll(SaveRefProc saveRef, const std::vector<RecordTexts>& records,
                    const std::string& path, int mode = kLineFileWrite);

#endif
