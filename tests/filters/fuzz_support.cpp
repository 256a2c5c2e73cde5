#include "fuzz_support.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

constexpr int kBufferSize = 32768;
constexpr int kSpareBytes = 8;

std::vector<std::string>& ScratchFiles()
{
    static std::vector<std::string> files;
    return files;
}

void RemoveScratchFiles()
{
    for (const std::string& path : ScratchFiles())
        std::remove(path.c_str());
}

}  // namespace

void FuzzCheck(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "filter fault: %s\n", what);
        std::abort();
    }
}

std::string FuzzScratchPath(const char* name)
{
    if (ScratchFiles().empty())
        std::atexit(RemoveScratchFiles);
    std::string path = "/tmp/cartulan-filter-fuzz-" + std::to_string(getpid()) + "-" + name;
    ScratchFiles().push_back(path);
    return path;
}

void* LoadFuzzedFilter(int referOption)
{
    setenv("CARTULAN_CONFIG", FuzzScratchPath("settings").c_str(), 1);
    SetBufSz(kBufferSize);
    FuzzCheck(SetConfigInt("Refer", "Opt", referOption) == 0, "cannot store the option");
    void* library = dlopen(FUZZED_FILTER, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        std::fprintf(stderr, "%s\n", dlerror());
    FuzzCheck(library != nullptr, "the filter does not load");
    return library;
}

template <typename Proc>
Proc FuzzedExport(void* library, const char* name)
{
    return reinterpret_cast<Proc>(dlsym(library, name));
}

template LoadRefProc FuzzedExport<LoadRefProc>(void*, const char*);

LoadRefProc FuzzedLoadRef(void* library)
{
    LoadRefProc loadRef = FuzzedExport<LoadRefProc>(library, FILTER_LOAD_REF);
    FuzzCheck(loadRef != nullptr, "no LoadRef");
    return loadRef;
}
template SaveRefProc FuzzedExport<SaveRefProc>(void*, const char*);

SaveRefProc FuzzedSaveRef(void* library)
{
    SaveRefProc saveRef = FuzzedExport<SaveRefProc>(library, FILTER_SAVE_REF);
    FuzzCheck(saveRef != nullptr, "no SaveRef");
    return saveRef;
}

void WriteScratch(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    FuzzCheck(out != nullptr, "cannot create the scratch file");
    FuzzCheck(size == 0 || std::fwrite(data, 1, size, out) == size,
              "cannot write the scratch file");
    std::fclose(out);
}

bool RecordTexts::operator==(const RecordTexts& other) const
{
    if (sourceType != other.sourceType)
        return false;
    for (int i = 0; i < kRecordTextCount; ++i) {
        if (texts[i] != other.texts[i])
            return false;
    }
    return true;
}

int WriteModeFor(uint32_t flags)
{
    if ((flags & kLineFileUtf8) == 0)
        return kLineFileWrite;
    return (flags & kLineFileUtf8Mark) != 0 ? kLineFileWriteUtf8Marked : kLineFileWriteUtf8;
}

std::vector<RecordTexts> LoadAllChecked(LoadRefProc loadRef, const std::string& path,
                                        size_t fileSize, uint32_t* flags)
{
    std::vector<RecordTexts> records;
    std::unique_ptr<char[]> buffer(new char[kBufferSize + kSpareBytes]());
    LineFile file;
    FuzzCheck(OpenLineFile(&file, path.c_str(), kLineFileReadText, buffer.get(), kBufferSize)
                  == 0,
              "cannot open the scratch file");
    bool lastDelivered = false;
    for (size_t call = 0;; ++call) {
        FuzzCheck(call <= fileSize + 2, "LoadRef does not reach the end");
        const FilterRecord* record = loadRef(nullptr, &file);
        FuzzCheck(record != nullptr, "no record");
        FuzzCheck(record->status <= kRecordNone, "status out of range");
        FuzzCheck(record->sourceType <= kRecordReport, "source type out of range");
        FuzzCheck(!lastDelivered || record->status == kRecordNone, "status 1 not followed by 2");
        RecordTexts copy;
        copy.sourceType = record->sourceType;
        for (int i = 0; i < kRecordTextCount; ++i) {
            if (const char* text = GetRecordText(*record, i))
                copy.texts[i] = std::string(text, std::strlen(text));
        }
        if (record->status == kRecordNone) {
            for (const auto& text : copy.texts)
                FuzzCheck(!text, "status 2 with a text");
            FuzzCheck(record->sourceType == kRecordJournal, "status 2 with a source type");
            break;
        }
        lastDelivered = record->status == kRecordDeliveredLast;
        records.push_back(std::move(copy));
    }
    if (flags != nullptr)
        *flags = file.flags;
    CloseLineFile(&file);
    return records;
}

std::string SaveAll(SaveRefProc saveRef, const std::vector<RecordTexts>& records,
                    const std::string& path, int mode)
{
    std::unique_ptr<char[]> buffer(new char[kBufferSize + kSpareBytes]());
    LineFile file;
    FuzzCheck(OpenLineFile(&file, path.c_str(), mode, buffer.get(), kBufferSize) == 0,
              "cannot create the output file");
    for (const RecordTexts& texts : records) {
        std::vector<std::string> copies;
        copies.reserve(kRecordTextCount);
        FilterRecord record{};
        record.sourceType = static_cast<uint8_t>(texts.sourceType);
        for (int i = 0; i < kRecordTextCount; ++i) {
            if (texts.texts[i]) {
                copies.push_back(*texts.texts[i]);
                SetRecordText(record, i, copies.back().data());
            }
        }
        FuzzCheck(saveRef(nullptr, &record, &file) == 0, "SaveRef stopped");
    }
    file.flags |= kLineFileDirty;
    FuzzCheck(CloseLineFile(&file) == 0, "the output file was not written");
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
