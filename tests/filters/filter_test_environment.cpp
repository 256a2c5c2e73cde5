#include "filter_test_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "cartio.h"
#include "test_files.h"

namespace {

constexpr const char* kFilterSections[] = {"Refer", "pubtag", "citadat", "RIS", "BibTeX"};

class FilterTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        dir_ = std::make_unique<TempDir>();
#ifndef _WIN32
        setenv("CARTULAN_CONFIG", dir_->Path("settings").c_str(), 1);
#endif
        ASSERT_EQ(SetBufSz(kProgramBufferSize), kProgramBufferSize);
        ClearFilterOptions();
    }

    void TearDown() override
    {
        ClearFilterOptions();
        dir_.reset();
    }

    std::string Path(const std::string& name) const { return dir_->Path(name); }

private:
    std::unique_ptr<TempDir> dir_;
};

FilterTestEnvironment* const g_environment = static_cast<FilterTestEnvironment*>(
    ::testing::AddGlobalTestEnvironment(new FilterTestEnvironment));

}  // namespace

void ClearFilterOptions()
{
    for (const char* section : kFilterSections)
        DeleteConfigTree(section);
}

std::string TestDataPath(const std::string& relative)
{
    return std::string(CARTULAN_TEST_DATA_DIR) + "/" + relative;
}

std::string ScratchPath(const std::string& name)
{
    return g_environment->Path(name);
}
