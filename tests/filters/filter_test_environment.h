// The setting every filter test runs in: the buffer size set as the program sets it before it
// loads any filter, and (natively) a settings store of its own in a temporary folder. Filter
// options are cleared before and after each use.
#ifndef CARTULAN_TESTS_FILTERS_FILTER_TEST_ENVIRONMENT_H
#define CARTULAN_TESTS_FILTERS_FILTER_TEST_ENVIRONMENT_H

#include <string>

constexpr int kProgramBufferSize = 32768;

// The option sections of the filters.
void ClearFilterOptions();

// A file of tests/data.
std::string TestDataPath(const std::string& relative);

// A scratch file name in a folder that lives as long as the test program.
std::string ScratchPath(const std::string& name);

#endif
