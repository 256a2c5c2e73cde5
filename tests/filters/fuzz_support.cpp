#include "fuzz_support.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr int kBufferSize = 32768;

// A LineFile over a buffer of the program's size with zero bytes behind it.
struct FuzzFile {
    FuzzFile(const std::string& path, int mode) : buffer(kBufferSize + 8, '\0')
    {
        FuzzCheck(OpenLineFile(&file, path.c_str(), mode, buffer.data(), kBufferSize) == 0,
                  "cannot open a scratch file");
    }
    std::vector<char> buffer;
    LineFile file;
};

}  // namespace

void FuzzCheck(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "filter fault: %s\n", what);
        std::abort();
    }
}

std::string WriteScratch(const char* name, const uint8_t* data, size_t size)
{
    const std::string path = "/tmp/cartulan-filter-fuzz-" + std::to_string(getpid()) + "-" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    FuzzCheck(out != nullptr && (size == 0 || std::fwrite(data, 1, size, out) == size),
              "cannot write a scratch file");
    std::fclose(out);
    return path;
}

FuzzedFilter LoadFuzzedFilter(int referOption)
{
    setenv("CARTULAN_CONFIG", WriteScratch("settings", nullptr, 0).c_str(), 1);
    SetBufSz(kBufferSize);
    FuzzCheck(SetConfigInt("Refer", "Opt", referOption) == 0, "cannot store the option");
    void* library = dlopen(FUZZED_FILTER, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        std::fprintf(stderr, "%s\n", dlerror());
    FuzzCheck(library != nullptr, "the filter does not load");
    unlink(std::getenv("CARTULAN_CONFIG"));  // the option is read as the filter loads
    FuzzedFilter filter{reinterpret_cast<LoadRefProc>(dlsym(library, FILTER_LOAD_REF)),
                        reinterpret_cast<SaveRefProc>(dlsym(library, FILTER_SAVE_REF))};
    FuzzCheck(filter.loadRef != nullptr, "no LoadRef");
    return filter;
}

bool RecordTexts::operator==(const RecordTexts& other) const
{
    return sourceType == other.sourceType &&
           std::equal(std::begin(texts), std::end(texts), std::begin(other.texts));
}

std::vector<RecordTexts> LoadAllChecked(LoadRefProc loadRef, const std::string& path,
                                        uint32_t* flags)
{
    std::vector<RecordTexts> records;
    const size_t fileSize = std::ifstream(path, std::ios::binary | std::ios::ate).tellg();
    FuzzFile in(path, kLineFileReadText);
    unlink(path.c_str());  // open, it is read to the end all the same
    bool lastDelivered = false;
    for (size_t call = 0;; ++call) {
        FuzzCheck(call <= fileSize + 2, "LoadRef does not reach the end");
        const FilterRecord* record = loadRef(nullptr, &in.file);
        FuzzCheck(record != nullptr, "no record");
        FuzzCheck(record->status <= kRecordNone, "status out of range");
        FuzzCheck(record->sourceType <= kRecordReport, "source type out of range");
        FuzzCheck(!lastDelivered || record->status == kRecordNone, "status 1 not followed by 2");
        RecordTexts copy;
        copy.sourceType = record->sourceType;
        for (int i = 0; i < kRecordTextCount; ++i) {
            if (const char* text = GetRecordText(*record, i))
                copy.texts[i] = text;
        }
        if (record->status == kRecordNone) {
            FuzzCheck(copy == RecordTexts(), "status 2 with a text or a source type");
            break;
        }
        lastDelivered = record->status == kRecordDeliveredLast;
        records.push_back(std::move(copy));
    }
    if (flags != nullptr)
        *flags = in.file.flags;
    CloseLineFile(&in.file);
    return records;
}

std::string SaveAll(SaveRefProc saveRef, const std::vector<RecordTexts>& records,
                    const std::string& path, uint32_t flags)
{
    const int mode = (flags & kLineFileUtf8) == 0         ? kLineFileWrite
                     : (flags & kLineFileUtf8Mark) != 0 ? kLineFileWriteUtf8Marked
                                                          : kLineFileWriteUtf8;
    FuzzFile out(path, mode);
    for (const RecordTexts& texts : records) {
        std::vector<std::string> copies(kRecordTextCount);
        FilterRecord record{};
        record.sourceType = static_cast<uint8_t>(texts.sourceType);
        for (int i = 0; i < kRecordTextCount; ++i) {
            if (texts.texts[i])
                SetRecordText(record, i, (copies[i] = *texts.texts[i]).data());
        }
        FuzzCheck(saveRef(nullptr, &record, &out.file) == 0, "SaveRef stopped");
    }
    out.file.flags |= kLineFileDirty;
    FuzzCheck(CloseLineFile(&out.file) == 0, "the output file was not written");
    std::ifstream in(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
    return bytes;
}
