// The transfer engine end to end through the real filters: open, save, round trip, backups,
// recent files, import and export, progress, and the failure paths.
#include <cstring>
#include <filesystem>
#include <set>

#include "io/app_settings.h"
#include "io/filter_loader.h"
#include "io/platform_files.h"
#include "io/transfer.h"
#include "store/database.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/store_ui.h"
#include "transfer_fakes.h"

namespace {

std::vector<std::string> Titles(const Database& database)
{
    std::vector<std::string> titles;
    for (int32_t i = 0; i < database.references->count(); ++i) {
        const char* title = database.references->referenceAt(i)->title;
        titles.push_back(title != nullptr ? title : "");
    }
    return titles;
}

bool InSortOrder(const Database& database)
{
    const ReferenceList& list = *database.references;
    for (int32_t i = 1; i < list.count(); ++i)
        if (list.compare(list.referenceAt(i - 1), list.referenceAt(i)) > 0) return false;
    return true;
}

}  // namespace

TEST_F(TransferTest, OpenSaveAndReopenGiveTheSameReferences)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(130));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(database->references->count(), 130);
    EXPECT_TRUE(InSortOrder(*database));
    EXPECT_EQ(database->modified, 0);
    EXPECT_STREQ(database->fileName, path.c_str());
    ASSERT_EQ(RecentFileCount(), 1);
    EXPECT_STREQ(g_transfer.recentFiles[0], path.c_str());
    const Reference& first = *database->references->referenceAt(0);
    EXPECT_STREQ(first.authors, "Author00000, A.");
    ASSERT_NE(first.summary, nullptr);
    EXPECT_NE(std::strstr(first.summary, "Author00000"), nullptr);
    // Progress every 64 records loaded: 64 and 128.
    using P = std::pair<TransferProgress, unsigned long>;
    EXPECT_EQ(ui_.progressCalls,
              (std::vector<P>{{TransferProgress::kLoaded, 64}, {TransferProgress::kLoaded, 128}}));

    ui_.progressCalls.clear();
    database->modified = 1;
    const std::string saved = Path("copy.ref");
    ui_.chosenFile = saved;
    ASSERT_EQ(TransferFile(*database, kCommandSaveAs, 1), 1);
    EXPECT_EQ(database->modified, 0);
    EXPECT_STREQ(database->fileName, saved.c_str());
    EXPECT_STREQ(g_transfer.recentFiles[0], saved.c_str());
    EXPECT_EQ(ui_.progressCalls, (std::vector<P>{{TransferProgress::kSaved, 0},
                                                 {TransferProgress::kSaved, 64},
                                                 {TransferProgress::kSaved, 128}}));
    ASSERT_EQ(ui_.fileRequests.size(), 1u);
    EXPECT_TRUE(ui_.fileRequests[0].saving);
    EXPECT_STREQ(ui_.fileRequests[0].name, path.c_str());  // the dialog starts at the old name
    EXPECT_STREQ(ui_.fileRequests[0].defaultExtension, "REF");

    Database* reopened = OpenFile(saved);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(Titles(*reopened), Titles(*database));
    // A saved file loads back to the same bytes when saved again.
    const std::string again = Path("again.ref");
    TransferOutcome outcome;
    ASSERT_TRUE(SaveDatabaseFile(*reopened, again.c_str(), "REFER.FLT", false, nullptr, outcome));
    EXPECT_EQ(outcome.taken, 130u);
    EXPECT_EQ(ReadBytes(again), ReadBytes(saved));
    EXPECT_TRUE(ui_.failures.empty());
    EXPECT_EQ(TemporaryFilesIn(dir_.root), 0);
}

TEST_F(TransferTest, ImportLeavesTheDatabaseModifiedAndUntitledExportNamesIt)
{
    Database* database = NewDatabase();
    ui_.chosenFormat = "PUBTAG.FLT";
    ui_.chosenFile = DataFile("pubtag/tags.ptg");
    ASSERT_EQ(TransferFile(*database, kCommandImport, 1), 1);
    EXPECT_EQ(ui_.formatModes, std::vector<int>{kCommandImport});
    EXPECT_GT(database->references->count(), 0);
    EXPECT_EQ(database->modified, 1);
    EXPECT_STREQ(database->fileName, "");
    EXPECT_EQ(RecentFileCount(), 0);
    ASSERT_EQ(ui_.fileRequests.size(), 1u);
    EXPECT_STREQ(ui_.fileRequests[0].name, "");  // the open dialog starts empty
    EXPECT_STREQ(ui_.fileRequests[0].defaultExtension, "PTG");  // of "*.PTG;*.PTX"

    ui_.chosenFormat = "REFER.FLT";
    ui_.chosenFile = Path("exported.ref");
    ASSERT_EQ(TransferFile(*database, kCommandExport, 1), 1);
    EXPECT_EQ(ui_.formatModes, (std::vector<int>{kCommandImport, kCommandExport}));
    EXPECT_EQ(database->modified, 0);
    EXPECT_STREQ(database->fileName, Path("exported.ref").c_str());
    EXPECT_EQ(RecentFileCount(), 0);  // only open and save as add recent files
    EXPECT_FALSE(ReadBytes(Path("exported.ref")).empty());

    // Cancelling the format or the file dialog changes nothing.
    ui_.chosenFormat.clear();
    database->modified = 1;
    EXPECT_EQ(TransferFile(*database, kCommandExport, 1), 0);
    ui_.chosenFormat = "REFER.FLT";
    ui_.chosenFile.clear();
    EXPECT_EQ(TransferFile(*database, kCommandExport, 1), 0);
    EXPECT_EQ(database->modified, 1);
    EXPECT_TRUE(ui_.failures.empty());
}

TEST_F(TransferTest, SavingKeepsTheFirstBackupAndOverwritesAfterwards)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(3));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    const std::string original = ReadBytes(path);
    SetReferenceText(*database->references->referenceAt(0), kFieldTitle, "Changed once");
    ASSERT_EQ(TransferFile(*database, kCommandSave, 0), 1);
    EXPECT_EQ(ReadBytes(Path("lib.BAK")), original);
    const std::string firstSave = ReadBytes(path);
    EXPECT_NE(firstSave.find("Changed once"), std::string::npos);

    SetReferenceText(*database->references->referenceAt(0), kFieldTitle, "Changed twice");
    ASSERT_EQ(TransferFile(*database, kCommandSave, 0), 1);
    EXPECT_EQ(ReadBytes(Path("lib.BAK")), original);  // an existing backup is kept
    EXPECT_NE(ReadBytes(path).find("Changed twice"), std::string::npos);

    // With backups off the old file is simply replaced.
    g_transfer.saveBackups = 0;
    std::filesystem::remove(Path("lib.BAK"));
    ASSERT_EQ(TransferFile(*database, kCommandSave, 0), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("lib.BAK")));
}

TEST_F(TransferTest, BackupNamesCutAtTheLastDot)
{
    struct Case {
        const char* path;
        const char* backup;
    } const cases[] = {
        {"/data/lib.ref", "/data/lib.BAK"},
        {"/data/lib.old.ref", "/data/lib.old.BAK"},
        {"/data/noext", "/data/noext.BAK"},
        {"/data/my.dir/noext", "/data/my.BAK"},
        {"lib.", "lib.BAK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char out[kPathSize];
        ASSERT_TRUE(BackupName(c.path, out, sizeof out));
        EXPECT_STREQ(out, c.backup);
    }
    char small[8];
    EXPECT_FALSE(BackupName("/data/lib.ref", small, sizeof small));
    EXPECT_TRUE(BackupName("ab.ref", small, sizeof small));
    EXPECT_STREQ(small, "ab.BAK");
}

TEST_F(TransferTest, MissingFilesAndFiltersFailWithoutWindows)
{
    const std::string gone = Path("gone.ref");
    AddRecentFile(gone.c_str());
    AddRecentFile(Path("other.ref").c_str());
    EXPECT_EQ(OpenFile(gone), nullptr);
    ASSERT_EQ(ui_.failures.size(), 1u);
    EXPECT_EQ(ui_.failures[0].failure, TransferFailure::kFileMissing);
    EXPECT_EQ(ui_.failureNames[0], gone);
    ASSERT_EQ(RecentFileCount(), 1);  // the missing file leaves the recent files
    EXPECT_STREQ(g_transfer.recentFiles[0], Path("other.ref").c_str());
    EXPECT_TRUE(ui_.progressFiles.empty());

    // A default filter that does not load, or cannot save, is reported under its own name.
    WriteBytes(Path("lib.ref"), ReferText(2));
    SetDefaultFilter("NOSUCH.FLT");
    EXPECT_EQ(OpenFile(Path("lib.ref")), nullptr);
    SetDefaultFilter("../bin/REFER.FLT");  // filters come from their directory only
    EXPECT_EQ(OpenFile(Path("lib.ref")), nullptr);
    SetDefaultFilter("PUBTAG.FLT");
    Database* database = NewDatabase();
    std::snprintf(database->fileName, kFileNameSize, "%s", Path("lib.ref").c_str());
    database->modified = 1;
    EXPECT_EQ(TransferFile(*database, kCommandSave, 0), 0);
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(ReadBytes(Path("lib.ref")), ReferText(2));
    EXPECT_EQ(ui_.failureNames,
              (std::vector<std::string>{gone, "NOSUCH.FLT", "../bin/REFER.FLT", "PUBTAG.FLT"}));
    for (std::size_t i = 1; i < ui_.failures.size(); ++i)
        EXPECT_EQ(ui_.failures[i].failure, TransferFailure::kFilterMissing);
    EXPECT_TRUE(ui_.progressFiles.empty());

    TransferOutcome outcome;
    EXPECT_FALSE(LoadDatabaseFile(*database, Path("lib.ref").c_str(), "NOSUCH", nullptr, outcome));
    EXPECT_EQ(outcome.failure, TransferFailure::kFilterMissing);
}

// A filter that stops the save part way (STOPSAVE.FLT stops at its fourth reference).
TEST_F(TransferTest, FilterThatStopsTheSaveKeepsTheOldFile)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(10));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    database->modified = 1;
    SetFilterDirectory(TestFilterDirectory().c_str());
    SetDefaultFilter("STOPSAVE.FLT");
    EXPECT_EQ(TransferFile(*database, kCommandSave, 0), 0);
    EXPECT_EQ(ReadBytes(path), ReferText(10));
    EXPECT_EQ(database->modified, 1);
    ASSERT_EQ(ui_.failures.size(), 1u);
    EXPECT_EQ(ui_.failures[0].failure, TransferFailure::kSaveStopped);
    EXPECT_FALSE(std::filesystem::exists(Path("lib.BAK")));
    EXPECT_EQ(TemporaryFilesIn(dir_.root), 0);
}

TEST_F(TransferTest, ConfirmSaveFollowsTheAnswer)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(2));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(ConfirmSave(*database), 1);  // unmodified: no question
    EXPECT_EQ(ui_.saveQuestions, 0);

    database->modified = 1;
    ui_.saveAnswer = SaveAnswer::kCancel;
    EXPECT_EQ(ConfirmSave(*database), 0);
    ui_.saveAnswer = SaveAnswer::kNo;
    EXPECT_EQ(ConfirmSave(*database), 1);
    EXPECT_EQ(database->modified, 1);
    ui_.saveAnswer = SaveAnswer::kYes;
    SetReferenceText(*database->references->referenceAt(0), kFieldTitle, "Saved on close");
    EXPECT_EQ(ConfirmSave(*database), 1);
    EXPECT_EQ(database->modified, 0);
    EXPECT_NE(ReadBytes(path).find("Saved on close"), std::string::npos);
    EXPECT_EQ(ui_.saveQuestions, 3);

    // An untitled database is saved as: cancelling the dialog keeps the window open.
    Database* untitled = NewDatabase();
    untitled->modified = 1;
    ui_.chosenFile.clear();
    EXPECT_EQ(ConfirmSave(*untitled), 0);
    ASSERT_FALSE(ui_.fileRequests.empty());
    EXPECT_TRUE(ui_.fileRequests.back().saving);

    // A failed save keeps the window open too.
    database->modified = 1;
    std::snprintf(database->fileName, kFileNameSize, "%s", UnwritablePath().c_str());
    EXPECT_EQ(ConfirmSave(*database), 0);
    EXPECT_EQ(database->modified, 1);

    // The bibliography is never asked about.
    Database* bibliography = CreateBibliography();
    ASSERT_NE(bibliography, nullptr);
    bibliography->modified = 1;
    const int questions = ui_.saveQuestions;
    EXPECT_EQ(ConfirmSave(*bibliography), 1);
    EXPECT_EQ(ui_.saveQuestions, questions);
}

TEST_F(TransferTest, FormattedBibliographyIsWrittenAsItStands)
{
    ui_.bibliographyText = "Header\r\nSmith (1994) Title\r\n\r\n\tend\n";
    ui_.chosenFile = Path("bib.txt");
    ASSERT_EQ(SaveFormattedBibliography(), 1);
    EXPECT_EQ(ReadBytes(Path("bib.txt")), ui_.bibliographyText);
    ASSERT_EQ(ui_.fileRequests.size(), 1u);
    EXPECT_STREQ(ui_.fileRequests[0].defaultExtension, "TXT");
    EXPECT_STREQ(ui_.fileRequests[0].name, "");

    // Saving the bibliography while it is shown formatted writes the text instead.
    ui_.bibliographyText = std::string(100000, 'x');  // longer than one file buffer
    Database* bibliography = CreateBibliography();
    ASSERT_NE(bibliography, nullptr);
    g_settings.bibIsForm = 1;
    ASSERT_EQ(TransferFile(*bibliography, kCommandSaveAs, 1), 1);
    EXPECT_EQ(ReadBytes(Path("bib.txt")), ui_.bibliographyText);
    EXPECT_EQ(ReadBytes(Path("bib.BAK")), "Header\r\nSmith (1994) Title\r\n\r\n\tend\n");

    ui_.chosenFile.clear();
    EXPECT_EQ(SaveFormattedBibliography(), 0);
}

TEST_F(TransferTest, ListFiltersByMode)
{
    FilterEntry entries[kMaxListedFilters];
    const int both = ListFilters(kListDefaultFormat, entries, kMaxListedFilters);
    ASSERT_EQ(both, 1);
    EXPECT_STREQ(entries[0].fileName, "REFER.FLT");
    EXPECT_TRUE(entries[0].loads && entries[0].saves);
    EXPECT_EQ(ListFilters(kListImport, entries, kMaxListedFilters), 4);
    EXPECT_EQ(ListFilters(kListExport, entries, kMaxListedFilters), 1);
    EXPECT_EQ(ListFilters(kListEvery, entries, kMaxListedFilters), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(entries[i].fileName);
        EXPECT_NE(entries[i].displayName[0], '\0');
    }
    EXPECT_EQ(ListFilters(12345, entries, kMaxListedFilters), 0);

    char name[kFilterNameSize];
    ASSERT_TRUE(ResolveFilterName("pubtag", name, sizeof name));
    EXPECT_STREQ(name, "PUBTAG.FLT");
    ASSERT_TRUE(ResolveFilterName("Refer.flt", name, sizeof name));
    EXPECT_STREQ(name, "REFER.FLT");
    EXPECT_FALSE(ResolveFilterName("nosuch", name, sizeof name));
    EXPECT_FALSE(ResolveFilterName("../bin/REFER.FLT", name, sizeof name));
    EXPECT_FALSE(ResolveFilterName("", name, sizeof name));
}

TEST_F(TransferTest, AtMost31FiltersAreListedAndBrokenOnesSkipped)
{
    for (int i = 0; i < 33; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "F%02d.FLT", i);
        std::filesystem::copy_file(FilterDirectory() + std::string(1, kPathSeparator) + "REFER.FLT",
                                   Path(name));
    }
    WriteBytes(Path("BROKEN.FLT"), "not a library");
    SetFilterDirectory(dir_.root.string().c_str());
    FilterEntry entries[kMaxListedFilters + 2];
    ASSERT_EQ(ListFilters(kListDefaultFormat, entries, kMaxListedFilters + 2), kMaxListedFilters);
    std::set<std::string> listed;
    for (int i = 0; i < kMaxListedFilters; ++i) listed.insert(entries[i].fileName);
    EXPECT_EQ(listed.size(), static_cast<std::size_t>(kMaxListedFilters));
    EXPECT_EQ(listed.count("BROKEN.FLT"), 0u);
}

TEST_F(TransferTest, FailedSaveAsKeepsTheOldNameAndModified)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(3));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    database->modified = 1;
    ui_.chosenFile = UnwritablePath();
    EXPECT_EQ(TransferFile(*database, kCommandSaveAs, 1), 0);
    EXPECT_EQ(database->modified, 1);
    // The database is not renamed after a file that was never written.
    EXPECT_STREQ(database->fileName, path.c_str());
    ASSERT_EQ(ui_.failures.size(), 1u);
    EXPECT_EQ(ui_.failures[0].failure, TransferFailure::kOpenFailed);
    EXPECT_NE(ui_.failures[0].error, 0);
    ASSERT_EQ(RecentFileCount(), 1);
    EXPECT_STREQ(g_transfer.recentFiles[0], path.c_str());
    EXPECT_EQ(ui_.progressEnded, 2);  // the open's and the failed save's progress windows
    EXPECT_EQ(ReadBytes(path), ReferText(3));
}

namespace {

class AbandoningResolver : public DuplicateResolver {
public:
    DuplicateChoice resolveDuplicate(Reference&, const Reference&, bool) override
    {
        return DuplicateChoice::kAbandon;
    }
};

}  // namespace

// A database holds a file's name only when it holds the whole file: a later save must never
// overwrite a file with the part of it that was read.
TEST_F(TransferTest, AbandonedOrFailedLoadLeavesNoFileName)
{
    const std::string path = Path("lib.ref");
    const std::string text = ReferText(3) + ReferText(1) + ReferText(5);  // a duplicate fourth
    WriteBytes(path, text);
    AbandoningResolver abandon;
    g_store.resolver = &abandon;
    Database* database = NewDatabase();
    std::snprintf(database->fileName, kFileNameSize, "%s", path.c_str());
    EXPECT_EQ(TransferFile(*database, kCommandOpen, 0), 1);  // what was read stays
    EXPECT_EQ(database->references->count(), 3);
    EXPECT_STREQ(database->fileName, "");
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(RecentFileCount(), 0);
    EXPECT_EQ(ui_.namesChanged, 1);
    // Closing asks to save; Yes asks for a name, and cancelling leaves the file as it was.
    ui_.saveAnswer = SaveAnswer::kYes;
    EXPECT_EQ(ConfirmSave(*database), 0);
    ASSERT_EQ(ui_.fileRequests.size(), 1u);
    EXPECT_STREQ(ui_.fileRequests[0].name, "");
    EXPECT_EQ(ReadBytes(path), text);
    g_store.resolver = nullptr;

    // A folder opens, or reads, as no file does.
    std::filesystem::create_directory(Path("folder.ref"));
    Database* failed = NewDatabase();
    std::snprintf(failed->fileName, kFileNameSize, "%s", Path("folder.ref").c_str());
    EXPECT_EQ(TransferFile(*failed, kCommandOpen, 0), 0);
    EXPECT_STREQ(failed->fileName, "");
    ASSERT_EQ(ui_.failures.size(), 1u);
    EXPECT_EQ(ui_.failureNames[0], Path("folder.ref"));
}

// A name whose full path does not fit is refused whole: cut, it would name another file.
TEST_F(TransferTest, FileNamesTooLongAreReportedNotCut)
{
    Database* database = NewDatabase();
    ui_.chosenFile = std::string(250, 'c');  // relative: the full path is longer
    database->modified = 1;
    EXPECT_EQ(TransferFile(*database, kCommandSaveAs, 1), 0);
    EXPECT_EQ(database->modified, 1);
    EXPECT_STREQ(database->fileName, "");
    ASSERT_EQ(ui_.failures.size(), 1u);
    EXPECT_EQ(ui_.failures[0].failure, TransferFailure::kNameTooLong);
    EXPECT_EQ(ui_.failureNames[0], ui_.chosenFile);
    EXPECT_TRUE(ui_.progressFiles.empty());
}
