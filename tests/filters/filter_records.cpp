#include "filter_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

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

std::string Escaped(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\\' ? "\\\\"
                                       : c < 32 || c > 126 ? "\\x%02X" : "%c", c);
        out += hex;
    }
    return out;
}

void PrintTo(const RecordCopy& record, std::ostream* out)
{
    *out << "{status " << record.status << ", sourceType " << record.sourceType;
    for (int i = 0; i < kRecordTextCount; ++i) {
        if (record.texts[i])
            *out << ", " << kRecordTextNames[i] << "=\"" << Escaped(*record.texts[i]) << "\"";
    }
    *out << "}";
}

OpenedFile::OpenedFile(const std::string& path, int mode) : buffer(kProgramBufferSize + 8, '\0')
{
    EXPECT_EQ(OpenLineFile(&file, path.c_str(), mode, buffer.data(), kProgramBufferSize), 0)
        << path;
}

OpenedFile::~OpenedFile()
{
    if ((file.flags & kLineFileWriting) != 0)
        file.flags |= kLineFileDirty;
    EXPECT_EQ(CloseLineFile(&file), 0);
}

std::vector<RecordCopy> LoadFile(LoadRefProc loadRef, const std::string& path, size_t limit)
{
    std::vector<RecordCopy> records;
    OpenedFile opened(path);
    for (size_t call = 0; call < limit && (records.empty() || records.back().status < kRecordNone);
         ++call) {
        const FilterRecord* record = loadRef(nullptr, &opened.file);
        if (record == nullptr) {
            ADD_FAILURE() << "LoadRef returned no record";
            break;
        }
        records.push_back(CopyRecord(*record));
        if (records.size() > 1 && records[records.size() - 2].status == kRecordDeliveredLast) {
            EXPECT_EQ(records.back().status, kRecordNone) << "status 1 must be followed by 2";
        }
    }
    EXPECT_EQ(records.empty() ? -1 : records.back().status, kRecordNone) << "no end";
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
                if (input.texts[i]) {
                    copies[i] = *input.texts[i];
                    SetRecordText(record, i, copies[i].data());
                }
            }
            const int result = saveRef(nullptr, &record, &opened.file);
            if (results != nullptr)
                results->push_back(result);
            for (int i = 0; i < kRecordTextCount; ++i) {
                if (input.texts[i]) {
                    EXPECT_EQ(GetRecordText(record, i), *input.texts[i])
                        << "SaveRef changed the caller's " << kRecordTextNames[i];
                }
            }
        }
    }
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
