// The shared ids as the program's code sees them, read from lang/ids.h itself, so that the
// checks follow the header without a copy of it: every number and resource name it defines,
// and the control ids listed under each dialog's heading (a comment that starts with the
// dialog's name in quotes).
#ifndef CARTULAN_TESTS_LANG_IDS_HEADER_H
#define CARTULAN_TESTS_LANG_IDS_HEADER_H

#include <map>
#include <string>
#include <vector>

namespace lang_test {

struct IdsHeader {
    bool read = false;
    std::map<std::string, int> numbers;             // IDS_SAVE_CHANGES -> 531
    std::map<std::string, std::string> names;       // DLG_ABOUT -> ABOUT
    std::map<std::string, std::vector<std::string>> controls;  // "ABOUT" -> IDC_ABOUT_...

    // The numbers whose names start with `prefix`.
    std::map<std::string, int> WithPrefix(const std::string& prefix) const;
};

const IdsHeader& Ids();

}  // namespace lang_test

#endif
