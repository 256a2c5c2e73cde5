#include "filter_records.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

void StopOnFault(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "filter fault: %s\n", what);
        std::abort();
    }
}

void (*g_recordCheck)(bool condition, const char* what) = StopOnFault;

const char* const kRecordTextNames[kRecordTextCount] = {
    "authors", "date",     "title",    "source",    "volume", "number",
    "pages",   "abstract", "keywords", "publisher", "city",   "editors",
};

bool RecordCopy::operator==(const RecordCopy& other) const
{
    return status == other.status && sourceType == other.sourceType &&
           std::equal(std::begin(texts), std::end(texts), std::begin(other.texts));
}

RecordCopy Record(int sourceType, std::initializer_list<std::pair<RecordText, std::string>> texts)
{
    RecordCopy record;
    record.sourceType = sourceType;
    for (const auto& [field, text] : texts)
        record.texts[field] = text;
    return record;
}

RecordCopy CopyRecord(const FilterRecord& record)
{
    RecordCopy copy;
    copy.status = record.status;
    copy.sourceType = record.sourceType;
    for (int i = 0; i < kRecordTextCount; ++i) {
        if (const char* text = GetRecordText(record, i))
            copy.texts[i] = text;
    }
    return copy;
}

RecordCopy NoReference()
{
    RecordCopy record;
    record.status = kRecordNone;
    return record;
}

// Texts with control characters and bytes above 126 as escapes (\r, \n, \xHH).
void PrintTo(const RecordCopy& record, std::ostream* out)
{
    *out << "{status " << record.status << ", sourceType " << record.sourceType;
    for (int i = 0; i < kRecordTextCount; ++i) {
        if (!record.texts[i])
            continue;
        *out << ", " << kRecordTextNames[i] << "=\"";
        for (unsigned char c : *record.texts[i]) {
            char hex[8];
            std::snprintf(hex, sizeof hex, c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\\' ? "\\\\"
                                           : c < 32 || c > 126 ? "\\x%02X" : "%c", c);
            *out << hex;
        }
        *out << "\"";
    }
    *out << "}";
}

OpenedFile::OpenedFile(const std::string& path, int mode) : buffer(kProgramBufferSize + 8, '\0')
{
    g_recordCheck(OpenLineFile(&file, path.c_str(), mode, buffer.data(), kProgramBufferSize) == 0,
                  "a file does not open");
}

OpenedFile::~OpenedFile()
{
    if ((file.flags & kLineFileWriting) != 0)
        file.flags |= kLineFileDirty;
    g_recordCheck(CloseLineFile(&file) == 0, "a file was not read or written whole");
}

std::vector<RecordCopy> LoadFile(LoadRefProc loadRef, const std::string& path, uint32_t* flags)
{
    const auto size = static_cast<size_t>(std::ifstream(path, std::ios::ate).tellg());
    std::vector<RecordCopy> records;
    OpenedFile opened(path);
    for (size_t call = 0; records.empty() || records.back().status != kRecordNone; ++call) {
        const FilterRecord* record = loadRef(nullptr, &opened.file);
        g_recordCheck(call <= size + 2, "LoadRef does not reach the end");
        g_recordCheck(record != nullptr, "LoadRef returned no record");
        if (call > size + 2 || record == nullptr)
            return records;
        const bool afterLast = !records.empty() && records.back().status == kRecordDeliveredLast;
        records.push_back(CopyRecord(*record));
        g_recordCheck(record->status <= kRecordNone, "status out of range");
        g_recordCheck(record->sourceType <= kRecordReport, "source type out of range");
        g_recordCheck(!afterLast || record->status == kRecordNone, "status 1 not followed by 2");
    }
    g_recordCheck(records.back() == NoReference(), "status 2 with a text or a source type");
    const FilterRecord* again = loadRef(nullptr, &opened.file);
    g_recordCheck(again != nullptr && CopyRecord(*again) == NoReference(), "the end does not last");
    if (flags != nullptr)
        *flags = opened.file.flags;
    return records;
}

std::vector<RecordCopy> References(std::vector<RecordCopy> records)
{
    if (!records.empty() && records.back().status == kRecordNone)
        records.pop_back();
    for (RecordCopy& record : records)
        record.status = kRecordDelivered;
    return records;
}

std::string SaveFile(SaveRefProc saveRef, const std::vector<RecordCopy>& records,
                     const std::string& path, std::vector<int>* results, int mode)
{
    {
        OpenedFile opened(path, mode);
        for (const RecordCopy& input : records) {
            // Fresh copies per call, as the program makes them.
            std::vector<std::string> copies(kRecordTextCount);
            FilterRecord record{};
            record.sourceType = static_cast<uint8_t>(input.sourceType);
            for (int i = 0; i < kRecordTextCount; ++i) {
                if (input.texts[i])
                    SetRecordText(record, i, (copies[i] = *input.texts[i]).data());
            }
            const int result = saveRef(nullptr, &record, &opened.file);
            if (results != nullptr)
                results->push_back(result);
            for (int i = 0; i < kRecordTextCount; ++i) {
                g_recordCheck(!input.texts[i] || (GetRecordText(record, i) != nullptr &&
                                                   GetRecordText(record, i) == *input.texts[i]),
                              "SaveRef changed the caller's text");
            }
        }
    }
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
