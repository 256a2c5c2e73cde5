// The refer filter's OEM option, read when the library is loaded.
#include <gtest/gtest.h>

#include <string>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"
#include "test_files.h"

namespace {

// Read when the library is loaded: a change counts from the next load, for reading and
// writing; a UTF-8 file is never converted.
TEST(ReferOem, TheOptionCountsFromTheNextLoadAndNeverForUtf8)
{
    const std::string path = ScratchPath("oem.ref");
    WriteBytes(path, "%T Caf\x82\r\n");
    const RecordCopy input = Record(kRecordJournal, {{kRecordTitle, "Caf\xE9"}});
    FilterLibrary before("REFER.FLT");
    ASSERT_EQ(SetConfigInt("Refer", "Opt", 1), 0);
    EXPECT_EQ(*LoadFile(before.loadRef, path).at(0).texts[kRecordTitle], "Caf\x82");
    EXPECT_EQ(SaveFile(before.saveRef, {input}, ScratchPath("before.ref")), "%T Caf\xE9\r\n\r\n");
    before.Unload();
    FilterLibrary after("REFER.FLT");
    EXPECT_EQ(*LoadFile(after.loadRef, path).at(0).texts[kRecordTitle], "Caf\xE9");
    EXPECT_EQ(SaveFile(after.saveRef, {input}, ScratchPath("after.ref")), "%T Caf\x82\r\n\r\n");
    WriteBytes(path, "%T Caf\xC3\xA9\r\n");
    EXPECT_EQ(*LoadFile(after.loadRef, path).at(0).texts[kRecordTitle], "Caf\xE9");
    EXPECT_EQ(SaveFile(after.saveRef, {input}, ScratchPath("utf8.ref"), nullptr,
                       kLineFileWriteUtf8),
              "%T Caf\xC3\xA9\r\n\r\n");
    ClearFilterOptions();
}

}  // namespace
