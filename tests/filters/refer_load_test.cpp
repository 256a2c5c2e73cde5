// LoadRef of the refer filter beyond the data files: the option read at load, and lines
// longer than the line buffer.
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
    ClearFilterOptions();
}

// Longer lines than the contract allows arrive in pieces: the rest of the line becomes a
// paragraph of the abstract, and nothing is lost.
TEST(ReferLoad, AnOverlongLineIsKeptInPieces)
{
    const std::string path = ScratchPath("long.ref");
    const std::string text(40000, 'a');
    WriteBytes(path, "%X " + text + "\r\n%T After\r\n\r\n%T Next\r\n");
    FilterLibrary filter("REFER.FLT");
    std::vector<RecordCopy> records = LoadFile(filter.loadRef, path);
    ASSERT_EQ(records.size(), 3u);
    const std::string firstPiece(kProgramBufferSize - 1 - 3, 'a');
    const std::string secondPiece(text.size() - firstPiece.size(), 'a');
    EXPECT_TRUE(records[0].texts[kRecordAbstract] == firstPiece + "\r\n\r\n" + secondPiece);
    EXPECT_EQ(records[0].texts[kRecordTitle], "After");
    EXPECT_EQ(records[1].texts[kRecordTitle], "Next");
    EXPECT_EQ(records[1].status, kRecordDeliveredLast);
}

}  // namespace
