// The pubtag filter over arbitrary bytes: besides the checks of every load, no author and no
// keyword may start with the tail of a longer tag ("ID- ORCID: ..." from an "AUID-" line,
// "DA- 2020/..." from "MHDA-"): a line that starts with such a tag belongs to no field. A
// tail that also stands elsewhere in the file is not looked for, since a field may hold it;
// nor is one with bytes that reading converts (a NUL reads as a blank, a character the code
// page lacks becomes its "{U+...}" code), since converted text elsewhere may spell it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

LoadRefProc g_loadRef = nullptr;

bool IsCapital(char c)
{
    return c >= 'A' && c <= 'Z';
}

// The tails of the lines that start with "AU", "MH" or "ME" followed by a capital, from the
// capital up to the end of the line, which occur nowhere else in the file.
bool ReadsAsItStands(const std::string& text)
{
    for (char c : text) {
        if (c < ' ' || c > '~' || c == '{')
            return false;
    }
    return true;
}

std::vector<std::string> LongerTagTails(std::string file)
{
    std::replace(file.begin(), file.end(), '\0', ' ');
    std::vector<std::string> tails;
    for (size_t at = 0; at < file.size();) {
        size_t end = file.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = file.size();
        const std::string line = file.substr(at, end - at);
        const std::string tag = line.substr(0, 2);
        if (line.size() > 3 && (tag == "AU" || tag == "MH") && IsCapital(line[2])) {
            const std::string tail = line.substr(2);
            if (ReadsAsItStands(tail) && file.find(tail) == at + 2 &&
                file.find(tail, at + 3) == std::string::npos)
                tails.push_back(tail);
        }
        at = end + 1;
    }
    return tails;
}

// A line of the field starts at its start or behind a line break.
void CheckNoLineStartsWith(const std::optional<std::string>& field,
                           const std::vector<std::string>& tails)
{
    for (const std::string& tail : tails) {
        StopOnFault(!field || (field->compare(0, tail.size(), tail) != 0 &&
                               field->find("\r\n" + tail) == std::string::npos),
                    "an author or keyword starts with the tail of a longer tag");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_loadRef = LoadFuzzedFilter(0).loadRef;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> tails =
        LongerTagTails(std::string(reinterpret_cast<const char*>(data), size));
    for (const RecordCopy& record : LoadScratch(g_loadRef, data, size)) {
        CheckNoLineStartsWith(record.texts[kRecordAuthors], tails);
        CheckNoLineStartsWith(record.texts[kRecordKeywords], tails);
    }
    return 0;
}
