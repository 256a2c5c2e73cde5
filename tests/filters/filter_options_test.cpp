// When each filter reads its options: pubtag at the first record of each file, citadat at the
// first LoadRef after the library is loaded, refer (its OEM option) when it is loaded.
#include <gtest/gtest.h>

#include <string>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"
#include "test_files.h"

namespace {

// Read at the first record of each file, so that the store is not read for every record;
// Opts marks it for reading again (under Wine, see the dialog tests).
TEST(FilterOptions, PubtagReadsItsOptionForEachFile)
{
    const std::string path = ScratchPath("split.ptg");
    WriteBytes(path, "SO  - J 1994;12(3):4\r\n\r\nSO  - J 1994;12(3):4\r\n");
    FilterLibrary filter("PUBTAG.FLT");
    ASSERT_NE(filter.loadRef, nullptr);
    {
        OpenedFile opened(path, kLineFileRead);
        LineFile* file = &opened.file;
        RecordCopy split = CopyRecord(*filter.loadRef(nullptr, file));
        EXPECT_EQ(split.texts[kRecordSource], "J ");
        EXPECT_EQ(split.texts[kRecordPages], "4");
        ASSERT_EQ(SetConfigInt("pubtag", "Opt", 0), 0);
        RecordCopy sameFile = CopyRecord(*filter.loadRef(nullptr, file));
        EXPECT_EQ(sameFile.status, kRecordDeliveredLast);
        EXPECT_EQ(sameFile.texts[kRecordSource], "J ");
        EXPECT_EQ(filter.loadRef(nullptr, file)->status, kRecordNone);
    }
    {
        OpenedFile opened(path, kLineFileRead);
        RecordCopy whole = CopyRecord(*filter.loadRef(nullptr, &opened.file));
        EXPECT_EQ(whole.texts[kRecordSource], "J 1994;12(3):4");
        EXPECT_FALSE(whole.texts[kRecordPages]);
    }
}

TEST(FilterOptions, CitadatReadsItsOptionsAtTheFirstLoadRefAfterLoading)
{
    const std::string path = ScratchPath("case.isi");
    WriteBytes(path, "Record 1\r\n\r\nTI CAPITALS\r\n\r\nRecord 2\r\n\r\nTI CAPITALS\r\n\r\n");
    FilterLibrary filter("CITADAT.FLT");
    ASSERT_NE(filter.loadRef, nullptr);
    // Stored after the load but before the first LoadRef: in force.
    ASSERT_EQ(SetConfigInt("citadat", "Opts", 0), 0);
    {
        OpenedFile opened(path, kLineFileRead);
        LineFile* file = &opened.file;
        EXPECT_EQ(CopyRecord(*filter.loadRef(nullptr, file)).texts[kRecordTitle], "CAPITALS");
        ASSERT_EQ(SetConfigInt("citadat", "Opts", 2), 0);
        EXPECT_EQ(CopyRecord(*filter.loadRef(nullptr, file)).texts[kRecordTitle], "CAPITALS");
    }
    filter.Unload();
    FilterLibrary reloaded("CITADAT.FLT");
    OpenedFile opened(path, kLineFileRead);
    EXPECT_EQ(CopyRecord(*reloaded.loadRef(nullptr, &opened.file)).texts[kRecordTitle], "Capitals");
}

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
}

}  // namespace
