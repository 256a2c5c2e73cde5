// The expected results beside each input file of tests/data/<filter>: "NAME.expected" next to
// the input "NAME.<ext>". Line by line:
//
//   # a comment
//   @config SECTION KEY VALUE      an integer option stored before the filter is loaded
//   @record STATUS [SOURCETYPE]    the result of the next LoadRef call (source type 0 if left out)
//   FIELD=TEXT                     a text of that result; fields not listed must be null
//
// TEXT takes the escapes \r \n \t \\ \s (a blank, for blanks at the end) and \xHH.
#ifndef CARTULAN_TESTS_FILTERS_EXPECTED_RECORDS_H
#define CARTULAN_TESTS_FILTERS_EXPECTED_RECORDS_H

#include <string>
#include <vector>

#include "filter_records.h"

struct ConfigValue {
    std::string section;
    std::string key;
    int value = 0;
};

struct ExpectedCase {
    std::vector<ConfigValue> config;
    std::vector<RecordCopy> records;
};

// Parses the expected file; a malformed line fails the test with its line number.
ExpectedCase ReadExpectedCase(const std::string& path);

// The text with the escapes above resolved; false for an unknown or cut escape.
bool Unescape(const std::string& text, std::string* out);

#endif
