#include "filter_records.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

constexpr int kFileBufferSize = 32768;
constexpr int kSpareBytes = 8;

}  // namespace

const char* const kRecordTextNames[kRecordTextCount] = {
    "authors", "date",     "title",    "source",    "volume", "number",
    "pages",   "abstract", "keywords", "publisher", "city",   "editors",
};

bool RecordCopy::operator==(const RecordCopy& other) const
{
    if (status != other.status || sourceType != other.sourceType)
        return false;
    for (int i = 0; i < kRecordTextCount; ++i) {
        if (texts[i] != other.texts[i])
            return false;
    }
    return true;
}

std::string Escaped(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        char hex[8];
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 32 || c > 126) {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
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

std::vector<RecordCopy> LoadFile(LoadRefProc loadRef, const std::string& path, size_t limit)
{
    std::vector<RecordCopy> records;
    std::vector<char> buffer(kFileBufferSize + kSpareBytes, '\0');
    LineFile file;
    EXPECT_EQ(OpenLineFile(&file, path.c_str(), kLineFileReadText, buffer.data(), kFileBufferSize),
              0)
        << path;
    for (size_t call = 0; call < limit; ++call) {
        const FilterRecord* record = loadRef(nullptr, &file);
        if (record == nullptr) {
            ADD_FAILURE() << "LoadRef returned no record";
            break;
        }
        records.push_back(CopyRecord(*record));
        if (record->status >= kRecordNone)
            break;
        if (call + 1 == limit)
            ADD_FAILURE() << "no status 2 after " << limit << " calls";
    }
    for (size_t i = 0; i + 1 < records.size(); ++i) {
        if (records[i].status == kRecordDeliveredLast) {
            EXPECT_EQ(records[i + 1].status, kRecordNone) << "status 1 must be followed by 2";
        }
    }
    CloseLineFile(&file);
    return records;
}

std::string SaveFile(SaveRefProc saveRef, const std::vector<SaveInput>& records,
                     const std::string& path, std::vector<int>* results, int mode)
{
    std::vector<char> buffer(kFileBufferSize + kSpareBytes, '\0');
    LineFile file;
    EXPECT_EQ(OpenLineFile(&file, path.c_str(), mode, buffer.data(), kFileBufferSize), 0) << path;
    for (const SaveInput& input : records) {
        // Fresh copies per call, as the program makes them.
        std::vector<std::unique_ptr<char[]>> copies;
        FilterRecord record{};
        record.sourceType = static_cast<uint8_t>(input.sourceType);
        for (int i = 0; i < kRecordTextCount; ++i) {
            if (!input.texts[i])
                continue;
            copies.emplace_back(new char[input.texts[i]->size() + 1]);
            std::copy(input.texts[i]->c_str(), input.texts[i]->c_str() + input.texts[i]->size() + 1,
                      copies.back().get());
            SetRecordText(record, i, copies.back().get());
        }
        int result = saveRef(nullptr, &record, &file);
        if (results != nullptr)
            results->push_back(result);
        for (int i = 0; i < kRecordTextCount; ++i) {
            if (input.texts[i]) {
                EXPECT_EQ(std::string(GetRecordText(record, i)), *input.texts[i])
                    << "SaveRef changed the caller's " << kRecordTextNames[i];
            }
        }
    }
    file.flags |= kLineFileDirty;
    EXPECT_EQ(CloseLineFile(&file), 0);
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
