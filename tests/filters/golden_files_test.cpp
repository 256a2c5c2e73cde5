// Every input file of tests/data/<filter> read through its filter, compared with the records
// its ".expected" file lists (see expected_records.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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
};

constexpr FilterData kFilterData[] = {
    {"refer", "REFER.FLT", 9},
    {"pubtag", "PUBTAG.FLT", 6},
    {"citadat", "CITADAT.FLT", 9},
    {"vitadex", "VITADEX.FLT", 3},
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

INSTANTIATE_TEST_SUITE_P(Filters, GoldenFiles, ::testing::ValuesIn(kFilterData),
                         [](const ::testing::TestParamInfo<FilterData>& info) {
                             return std::string(info.param.folder);
                         });

}  // namespace
