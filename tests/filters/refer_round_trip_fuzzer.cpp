// The refer filter over arbitrary bytes, read, written, read and written again: the second
// file must hold what the first holds. Whatever the format loses on the way (the exceptions of
// a round trip) is lost in the first pass already, with two exceptions the comparison allows
// for: a reference that writes no line but its end leaves only an empty line, which reads back
// as no reference; and an abstract line that starts with "%" and a tag letter (or is shorter
// than a tag line) is written as it stands and reads back as that tag.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

LoadRefProc g_loadRef = nullptr;
SaveRefProc g_saveRef = nullptr;

// The file's lines, without the empty lines at its start and the repeats of empty lines, which
// a reader skips.
std::string WithoutExtraEmptyLines(const std::string& file)
{
    std::string out;
    bool lastEmpty = true;
    for (size_t at = 0; at < file.size();) {
        size_t end = file.find("\r\n", at);
        if (end == std::string::npos)
            end = file.size();
        bool empty = end == at;
        if (!(empty && lastEmpty))
            out.append(file, at, end - at).append("\r\n");
        lastEmpty = empty;
        at = end + 2;
    }
    return out;
}

bool ReadsBackAsATag(const std::string& abstract)
{
    for (size_t at = 0; at < abstract.size();) {
        size_t end = abstract.find("\r\n", at);
        if (end == std::string::npos)
            end = abstract.size();
        if (abstract[at] == '%'
            && (end - at < 3 || std::strchr("ABCDEIJKNPRTVX", abstract[at + 1]) != nullptr))
            return true;
        at = end + 2;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    void* library = LoadFuzzedFilter(0);
    g_loadRef = FuzzedExport<LoadRefProc>(library, FILTER_LOAD_REF);
    g_saveRef = FuzzedExport<SaveRefProc>(library, FILTER_SAVE_REF);
    FuzzCheck(g_loadRef != nullptr && g_saveRef != nullptr, "no LoadRef or SaveRef");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string input = FuzzScratchPath("input");
    static const std::string first = FuzzScratchPath("first");
    static const std::string second = FuzzScratchPath("second");
    WriteScratch(input, data, size);
    const std::vector<RecordTexts> records = LoadAllChecked(g_loadRef, input, size);
    for (const RecordTexts& record : records) {
        if (record.texts[kRecordAbstract] && ReadsBackAsATag(*record.texts[kRecordAbstract]))
            return 0;
    }
    const std::string written = SaveAll(g_saveRef, records, first);
    const std::string rewritten =
        SaveAll(g_saveRef, LoadAllChecked(g_loadRef, first, written.size()), second);
    FuzzCheck(WithoutExtraEmptyLines(written) == WithoutExtraEmptyLines(rewritten),
              "a written file does not read back into the same file");
    return 0;
}
