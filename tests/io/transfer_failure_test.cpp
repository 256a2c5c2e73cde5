// Failures that need the POSIX file system to provoke: a read error in the middle of a load,
// a directory no one may create files in, and a write that fails part way (the file size
// limit makes it fail as a full device would).
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#include "io/transfer.h"
#include "store/database.h"
#include "store/reference_list.h"
#include "transfer_fakes.h"

TEST_F(TransferTest, ReadErrorIsNotTakenForTheEndOfTheFile)
{
    // Reading a directory opens but fails at the first read.
    std::filesystem::create_directory(Path("folder.ref"));
    Database* database = NewDatabase();
    TransferOutcome outcome;
    EXPECT_FALSE(LoadDatabaseFile(*database, Path("folder.ref").c_str(), "REFER.FLT", nullptr,
                                  outcome));
    EXPECT_EQ(outcome.failure, TransferFailure::kReadFailed);
    EXPECT_NE(outcome.error, 0);

    // A file that does not open at all.
    TransferOutcome missing;
    EXPECT_FALSE(LoadDatabaseFile(*database, Path("none.ref").c_str(), "REFER.FLT", nullptr,
                                  missing));
    EXPECT_EQ(missing.failure, TransferFailure::kOpenFailed);
    EXPECT_EQ(database->references->count(), 0);
}

TEST_F(TransferTest, SaveIntoAnUnwritableDirectoryKeepsEverything)
{
    Database* database = NewDatabase();
    TransferOutcome loaded;
    WriteBytes(Path("lib.ref"), ReferText(5));
    ASSERT_TRUE(LoadDatabaseFile(*database, Path("lib.ref").c_str(), "REFER.FLT", nullptr, loaded));
    database->modified = 1;

    // A directory no one may create files in, whatever the user's rights.
    std::snprintf(database->fileName, kFileNameSize, "/proc/cartulan-test.ref");
    EXPECT_EQ(TransferFile(*database, kCommandSave, 0), 0);
    EXPECT_EQ(database->modified, 1);
    ASSERT_EQ(ui_.failures.size(), 1u);
    EXPECT_EQ(ui_.failures[0].failure, TransferFailure::kOpenFailed);
    EXPECT_EQ(ui_.failureNames[0], "/proc/cartulan-test.ref");
    TransferReport report = ui_.failures[0];
    report.fileName = ui_.failureNames[0].c_str();
    char text[512];
    DescribeTransferFailure(report, text, sizeof text);
    EXPECT_NE(std::strstr(text, "/proc/cartulan-test.ref"), nullptr) << text;

    // A "directory" that is a file.
    const std::string underFile = Path("lib.ref") + "/inside.ref";
    std::snprintf(database->fileName, kFileNameSize, "%s", underFile.c_str());
    EXPECT_EQ(TransferFile(*database, kCommandSave, 0), 0);
    EXPECT_EQ(ui_.failures.size(), 2u);

    if (geteuid() != 0) {
        std::filesystem::create_directory(Path("locked"));
        WriteBytes(Path("locked/lib.ref"), "old contents\r\n");
        chmod(Path("locked").c_str(), 0555);
        std::snprintf(database->fileName, kFileNameSize, "%s", Path("locked/lib.ref").c_str());
        EXPECT_EQ(TransferFile(*database, kCommandSave, 0), 0);
        EXPECT_EQ(ReadBytes(Path("locked/lib.ref")), "old contents\r\n");
        chmod(Path("locked").c_str(), 0755);
    }
    EXPECT_EQ(database->modified, 1);
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
    ASSERT_EQ(ui_.failures.size(), 1u);
    EXPECT_EQ(ui_.failures[0].failure, TransferFailure::kWriteFailed);
    EXPECT_EQ(ui_.failureNames[0], path);
    EXPECT_EQ(TemporaryFilesIn(dir_.root), 0);
}
