// Every input file of tests/data/<filter> read through its filter, compared with the records
// its ".expected" file lists (see expected_records.h). The inputs of the filters that also
// write are written and read back too, directly and by way of a refer database.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "cartio.h"
#include "expected_records.h"
#include "filter_library.h"
#include "filter_test_environment.h"

namespace {

struct FilterData {
    const char* folder;
    const char* fileName;
    size_t minimumCases;  // so that a lost folder cannot pass unnoticed
    bool roundTrips;      // its inputs read back as they were read once it has written them
};

constexpr FilterData kFilterData[] = {
    {"refer", "REFER.FLT", 9, false},
    {"pubtag", "PUBTAG.FLT", 6, false},
    {"citadat", "CITADAT.FLT", 9, false},
    {"vitadex", "VITADEX.FLT", 3, false},
    {"ris", "RIS.FLT", 5, true},
    {"bibtex", "BIBTEX.FLT", 6, true},
};

void PrintTo(const FilterData& data, std::ostream* out)
{
    *out << data.folder;
}

std::vector<std::filesystem::path> InputFiles(const std::string& folder)
{
    std::vector<std::filesystem::path> inputs;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& path = entry.path();
        std::string name = path.filename().string();
        if (entry.is_regular_file() && name[0] != '.' && path.extension() != ".expected")
            inputs.push_back(path);
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

void StoreOptions(const std::vector<ConfigValue>& config)
{
    for (const ConfigValue& value : config)
        ASSERT_EQ(SetConfigInt(value.section.c_str(), value.key.c_str(), value.value), 0);
}

class GoldenFiles : public ::testing::TestWithParam<FilterData> {};

TEST_P(GoldenFiles, EachInputLoadsIntoTheRecordsBesideIt)
{
    const FilterData& data = GetParam();
    const std::vector<std::filesystem::path> inputs = InputFiles(TestDataPath(data.folder));
    EXPECT_GE(inputs.size(), data.minimumCases);
    for (const std::filesystem::path& input : inputs) {
        SCOPED_TRACE(input.string());
        std::filesystem::path expectedPath = input;
        expectedPath.replace_extension(".expected");
        ExpectedCase expected = ReadExpectedCase(expectedPath.string());
        ClearFilterOptions();
        StoreOptions(expected.config);
        // Loaded after the options are stored, as every operation of the program loads it.
        FilterLibrary filter(data.fileName);
        ASSERT_TRUE(filter.Loaded());
        ASSERT_NE(filter.loadRef, nullptr);
        std::vector<RecordCopy> records = LoadFile(filter.loadRef, input.string());
        EXPECT_EQ(records.size(), expected.records.size());
        for (size_t i = 0; i < std::min(records.size(), expected.records.size()); ++i)
            EXPECT_EQ(records[i], expected.records[i]) << "record " << i + 1;
        ClearFilterOptions();
    }
}

// The references of a file as the program takes them: the status does not count.
std::vector<RecordCopy> References(std::vector<RecordCopy> records)
{
    if (!records.empty() && records.back().status == kRecordNone)
        records.pop_back();
    for (RecordCopy& record : records)
        record.status = kRecordDelivered;
    return records;
}

std::vector<RecordCopy> WrittenAndRead(const FilterLibrary& filter,
                                       const std::vector<RecordCopy>& records,
                                       const std::string& path)
{
    std::vector<SaveInput> inputs;
    for (const RecordCopy& record : records) {
        inputs.emplace_back();
        inputs.back().sourceType = record.sourceType;
        std::copy(std::begin(record.texts), std::end(record.texts), inputs.back().texts);
    }
    SaveFile(filter.saveRef, inputs, path);
    return References(LoadFile(filter.loadRef, path));
}

class WrittenGoldenFiles : public ::testing::TestWithParam<FilterData> {};

TEST_P(WrittenGoldenFiles, EachInputWrittenAndReadBackGivesTheSameReferences)
{
    const FilterData& data = GetParam();
    FilterLibrary filter(data.fileName);
    FilterLibrary refer("REFER.FLT");
    ASSERT_TRUE(filter.saveRef && refer.saveRef);
    for (const std::filesystem::path& input : InputFiles(TestDataPath(data.folder))) {
        SCOPED_TRACE(input.string());
        const std::vector<RecordCopy> read = References(LoadFile(filter.loadRef, input.string()));
        EXPECT_EQ(WrittenAndRead(filter, read, ScratchPath("direct")), read);
        // A refer database keeps what the refer format has no place for; the filter writes it
        // back (a book without a source reads back from refer as a journal: its kept type
        // makes it a book again).
        const std::vector<RecordCopy> database = WrittenAndRead(refer, read, ScratchPath("db"));
        EXPECT_EQ(WrittenAndRead(filter, database, ScratchPath("back")), read);
    }
}

std::string FolderName(const ::testing::TestParamInfo<FilterData>& info)
{
    return info.param.folder;
}

std::vector<FilterData> RoundTripping()
{
    std::vector<FilterData> data;
    std::copy_if(std::begin(kFilterData), std::end(kFilterData), std::back_inserter(data),
                 [](const FilterData& filter) { return filter.roundTrips; });
    return data;
}

INSTANTIATE_TEST_SUITE_P(Filters, GoldenFiles, ::testing::ValuesIn(kFilterData), FolderName);
INSTANTIATE_TEST_SUITE_P(Filters, WrittenGoldenFiles, ::testing::ValuesIn(RoundTripping()),
                         FolderName);

}  // namespace
