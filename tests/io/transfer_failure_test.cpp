// Failures that need the POSIX file system to provoke: a read error in the middle of a load,
// a directory no one may create files in, a read-only file, a symbolic link, and a write that
// fails part way (the file size limit makes it fail as a full device would).
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "store/reference.h"
#include "store/reference_list.h"
#include "transfer_fakes.h"

// A database holds a file's name only when it holds the whole file.
TEST_F(TransferTest, ReadErrorIsNotTakenForTheEndOfTheFile)
{
    // Reading a directory opens but fails at the first read.
    std::filesystem::create_directory(Path("folder.ref"));
    Database* database = NewDatabase(Path("folder.ref"));
    TransferOutcome outcome;
    EXPECT_FALSE(LoadDatabaseFile(*database, Path("folder.ref").c_str(), "REFER.FLT", nullptr,
                                  outcome));
    EXPECT_EQ(outcome.failure, TransferFailure::kReadFailed);
    EXPECT_NE(outcome.error, 0);
    EXPECT_EQ(TransferFile(*database, kCommandOpen, 0), 0);  // as the Open command does
    EXPECT_STREQ(database->fileName, "");
    // A file that does not open at all.
    TransferOutcome missing;
    EXPECT_FALSE(LoadDatabaseFile(*database, Path("none.ref").c_str(), "REFER.FLT", nullptr,
                                  missing));
    EXPECT_EQ(missing.failure, TransferFailure::kOpenFailed);
    EXPECT_EQ(database->references->count(), 0);
}

// A save refused: a folder that refuses new files is named, not the file; a read-only file is
// refused itself. The old file is kept.
TEST_F(TransferTest, RefusedSavesNameWhatRefusedAndKeepTheOldFile)
{
    WriteBytes(Path("lib.ref"), ReferText(5));
    Database* database = OpenFile(Path("lib.ref"));
    ASSERT_NE(database, nullptr);
    WriteBytes(Path("readonly.ref"), "old contents\r\n");
    chmod(Path("readonly.ref").c_str(), 0444);
    struct Case {
        std::string file;
        std::string named;
        TransferFailure failure;
    };
    // /proc refuses new files whatever the user's rights; a "folder" may be a file.
    std::vector<Case> cases = {
        {"/proc/cartulan-test.ref", "/proc", TransferFailure::kFolderRefused},
        {Path("lib.ref") + "/inside.ref", Path("lib.ref"), TransferFailure::kFolderRefused},
        {Path("readonly.ref"), Path("readonly.ref"), TransferFailure::kReadOnly}};
    if (geteuid() != 0) {
        std::filesystem::create_directory(Path("locked"));
        WriteBytes(Path("locked/lib.ref"), "old contents\r\n");
        chmod(Path("locked").c_str(), 0555);
        cases.push_back({Path("locked/lib.ref"), Path("locked"), TransferFailure::kFolderRefused});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ui_.failed.clear();
        std::snprintf(database->fileName, kFileNameSize, "%s", c.file.c_str());
        database->modified = 1;
        EXPECT_EQ(TransferFile(*database, kCommandSave, 0), 0);
        EXPECT_EQ(ui_.failed, (Failures{{c.failure, c.named}}));
        EXPECT_EQ(database->modified, 1);
    }
    EXPECT_EQ(ReadBytes(Path("readonly.ref")), "old contents\r\n");
    if (geteuid() != 0) {
        EXPECT_EQ(ReadBytes(Path("locked/lib.ref")), "old contents\r\n");
        chmod(Path("locked").c_str(), 0755);
    }
    EXPECT_FALSE(std::filesystem::exists(Path("readonly.BAK")));
    EXPECT_EQ(TemporaryFilesIn(dir_.root), 0);
    chmod(Path("readonly.ref").c_str(), 0644);
}

// Saved through a symbolic link, the linked file is replaced and the link stays; the backup
// lies beside the linked file.
TEST_F(TransferTest, SaveThroughALinkReplacesTheLinkedFile)
{
    std::filesystem::create_directory(Path("store.d"));
    const std::string target = Path("store.d/lib.ref");
    WriteBytes(target, ReferText(3));
    const std::string link = Path("lib");
    std::filesystem::create_symlink("store.d/lib.ref", link);
    Database* database = OpenFile(link);
    ASSERT_NE(database, nullptr);
    SetReferenceText(*database->references->referenceAt(0), kFieldTitle, "Changed");
    ASSERT_EQ(TransferFile(*database, kCommandSave, 0), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(ReadBytes(target).find("%T Changed"), std::string::npos);
    EXPECT_EQ(ReadBytes(Path("store.d/lib.BAK")), ReferText(3));
    EXPECT_EQ(TemporaryFilesIn(Path("store.d")), 0);
}

// The file size limit makes a write fail part way (EFBIG) like a full device.
TEST_F(TransferTest, WriteThatFailsPartWayKeepsTheOldFileAndModified)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(4000));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    const std::string original = ReadBytes(path);
    ASSERT_GT(original.size(), 200000u);
    database->modified = 1;

    rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int result = TransferFile(*database, kCommandSave, 0);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_FALSE(std::filesystem::exists(Path("lib.BAK")));
    EXPECT_EQ(ui_.failed, (Failures{{TransferFailure::kWriteFailed, path}}));
    EXPECT_EQ(TemporaryFilesIn(dir_.root), 0);
}
