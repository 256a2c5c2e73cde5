// LoadRef of the refer filter beyond the data files: the option read at load, and never for
// a UTF-8 file.
#include <gtest/gtest.h>

#include <string>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"
#include "filter_test_environment.h"
#include "test_files.h"

namespace {

TEST(ReferLoad, TheOemOptionCountsFromTheNextLoad)
{
    const std::string path = ScratchPath("oem.ref");
    WriteBytes(path, "%T Caf\x82\r\n");
    FilterLibrary before("REFER.FLT");
    ASSERT_EQ(SetConfigInt("Refer", "Opt", 1), 0);
    EXPECT_EQ(*LoadFile(before.loadRef, path).at(0).texts[kRecordTitle], "Caf\x82");
    before.Unload();
    FilterLibrary after("REFER.FLT");
    EXPECT_EQ(*LoadFile(after.loadRef, path).at(0).texts[kRecordTitle], "Caf\xE9");
    WriteBytes(path, "%T Caf\xC3\xA9\r\n");
    EXPECT_EQ(*LoadFile(after.loadRef, path).at(0).texts[kRecordTitle], "Caf\xE9");
    ClearFilterOptions();
}

}  // namespace
