// Every input file of tests/data/<filter> read through its filter, compared with the records
// its ".expected" file lists. The inputs of the filters that also write are written and read
// back too, directly and by way of a refer database; an input with a ".save" file beside it,
// which lists records in the same form, is what SaveRef writes from them, byte for byte. An
// expected file, line by line:
//
//   # a comment
//   @config SECTION KEY VALUE      an integer option stored before the filter is loaded
//   @record STATUS [SOURCETYPE]    the result of the next LoadRef call (source type 0 if left out)
//   FIELD=TEXT                     a text of that result; fields not listed must be null
//
// TEXT takes the escapes \r \n \t \\ \s (a blank, for blanks at the end) and \xHH.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"
#include "test_files.h"

namespace {

void AddFailure(bool condition, const char* what)
{
    if (!condition)
        ADD_FAILURE() << what;
}

// Every test starts and ends with the filters' option sections cleared.
class ClearingOptions : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { ClearFilterOptions(); }
    void OnTestEnd(const ::testing::TestInfo&) override { ClearFilterOptions(); }
};

// Every test of the program runs with the buffer size set as the program sets it before it
// loads any filter and (natively) a settings store of its own.
class FilterTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        dir = std::make_unique<TempDir>();
#ifndef _WIN32
        setenv("CARTULAN_CONFIG", dir->Path("settings").c_str(), 1);
#endif
        ASSERT_EQ(SetBufSz(kProgramBufferSize), kProgramBufferSize);
        g_recordCheck = AddFailure;
        ::testing::UnitTest::GetInstance()->listeners().Append(new ClearingOptions);
    }
    void TearDown() override
    {
        dir.reset();
    }
    std::unique_ptr<TempDir> dir;
};

FilterTestEnvironment* const g_environment = static_cast<FilterTestEnvironment*>(
    ::testing::AddGlobalTestEnvironment(new FilterTestEnvironment));

}  // namespace

void ClearFilterOptions()
{
    for (const char* section : {"Refer", "pubtag", "citadat", "RIS", "BibTeX"})
        DeleteConfigTree(section);
}

std::string TestDataPath(const std::string& relative)
{
    return std::string(CARTULAN_TEST_DATA_DIR) + "/" + relative;
}

std::string ScratchPath(const std::string& name)
{
    return g_environment->dir->Path(name);
}

namespace {

bool Unescape(const std::string& text, std::string* out)
{
    out->clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            *out += text[i];
            continue;
        }
        const char* escapes = "r\rn\nt\ts \\\\";
        const char* found = ++i < text.size() && text[i] != '\0' ? std::strchr(escapes, text[i]) : nullptr;
        if (found != nullptr && (found - escapes) % 2 == 0) {
            *out += found[1];
        } else if (i < text.size() && text[i] == 'x' && i + 2 < text.size() &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            *out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// One line of an expected file into `records`, or an option stored at once.
bool ReadExpectedLine(const std::string& line, std::vector<RecordCopy>* records)
{
    std::istringstream words(line);
    std::string directive, section, key;
    int value = 0;
    if (line.rfind("@config ", 0) == 0)
        return words >> directive >> section >> key >> value && words.eof() &&
               SetConfigInt(section.c_str(), key.c_str(), value) == 0;
    RecordCopy record;
    if (line.rfind("@record ", 0) == 0) {
        words >> directive >> record.status;
        if (!words.eof())
            words >> record.sourceType;
        records->push_back(record);
        return !words.fail() && words.eof();
    }
    const size_t equals = line.find('=');
    const auto name = std::find(std::begin(kRecordTextNames), std::end(kRecordTextNames),
                                line.substr(0, equals));
    std::string text;
    if (records->empty() || name == std::end(kRecordTextNames) ||
        !Unescape(line.substr(equals + 1), &text))
        return false;
    std::optional<std::string>& slot = records->back().texts[name - std::begin(kRecordTextNames)];
    return !slot && (slot = text, true);
}

struct FilterData {
    const char* folder;
    const char* fileName;
    size_t minimumCases;  // so that a lost folder cannot pass unnoticed
};

constexpr FilterData kFilterData[] = {
    {"refer", "REFER.FLT", 10},  {"pubtag", "PUBTAG.FLT", 6}, {"citadat", "CITADAT.FLT", 9},
    {"vitadex", "VITADEX.FLT", 3}, {"ris", "RIS.FLT", 5},     {"bibtex", "BIBTEX.FLT", 6},
};

// The records of an expected file (its options stored as they are read).
std::vector<RecordCopy> ReadExpectedFile(const std::filesystem::path& path)
{
    std::vector<RecordCopy> records;
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#') {
            EXPECT_TRUE(ReadExpectedLine(line, &records)) << "cannot read \"" << line << "\"";
        }
    }
    return records;
}

std::vector<std::filesystem::path> InputFiles(const FilterData& data)
{
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(TestDataPath(data.folder))) {
        const std::filesystem::path& path = entry.path();
        if (entry.is_regular_file() && path.filename().string()[0] != '.' &&
            path.extension() != ".expected" && path.extension() != ".save")
            inputs.push_back(path);
    }
    std::sort(inputs.begin(), inputs.end());
    EXPECT_GE(inputs.size(), data.minimumCases);
    return inputs;
}

class GoldenFiles : public ::testing::TestWithParam<FilterData> {};

TEST_P(GoldenFiles, EachInputLoadsIntoTheRecordsBesideIt)
{
    for (std::filesystem::path input : InputFiles(GetParam())) {
        SCOPED_TRACE(input.string());
        ClearFilterOptions();
        const std::vector<RecordCopy> expected =
            ReadExpectedFile(std::filesystem::path(input).replace_extension(".expected"));
        // Loaded after the options are stored, as every operation of the program loads it.
        FilterLibrary filter(GetParam().fileName);
        ASSERT_NE(filter.loadRef, nullptr);
        EXPECT_EQ(LoadFile(filter.loadRef, input.string()), expected);
        // No open file at all reads as the end too.
        EXPECT_EQ(CopyRecord(*filter.loadRef(nullptr, nullptr)), NoReference());
        const std::filesystem::path saved = std::filesystem::path(input).replace_extension(".save");
        if (std::filesystem::exists(saved)) {
            std::vector<int> results;
            EXPECT_EQ(SaveFile(filter.saveRef, ReadExpectedFile(saved), ScratchPath("saved"),
                               &results), ReadBytes(input.string()));
            EXPECT_EQ(results, std::vector<int>(results.size(), 0));
        }
    }
}

std::vector<RecordCopy> WrittenAndRead(const FilterLibrary& filter,
                                       const std::vector<RecordCopy>& records,
                                       const std::string& path)
{
    SaveFile(filter.saveRef, records, path);
    return References(LoadFile(filter.loadRef, path));
}

class WrittenGoldenFiles : public ::testing::TestWithParam<FilterData> {};

TEST_P(WrittenGoldenFiles, EachInputWrittenAndReadBackGivesTheSameReferences)
{
    FilterLibrary filter(GetParam().fileName);
    FilterLibrary refer("REFER.FLT");
    ASSERT_TRUE(filter.saveRef && refer.saveRef);
    for (const std::filesystem::path& input : InputFiles(GetParam())) {
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

INSTANTIATE_TEST_SUITE_P(Filters, GoldenFiles, ::testing::ValuesIn(kFilterData), FolderName);
INSTANTIATE_TEST_SUITE_P(Filters, WrittenGoldenFiles,
                         ::testing::Values(kFilterData[4], kFilterData[5]), FolderName);

}  // namespace
