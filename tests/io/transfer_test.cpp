// The transfer engine end to end through the real filters: open, save, round trip, backups,
// recent files, the formatted bibliography, and the failures a user meets (import, export and
// names too long are driven through the program by the UI tests).
#include <set>

#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_ui.h"
#include "transfer_fakes.h"

namespace {

// The titles of a database in order, each report's marked "R".
std::string Titles(const Database& database)
{
    std::string titles;
    for (int32_t i = 0; i < database.references->count(); ++i) {
        const Reference& reference = *database.references->referenceAt(i);
        titles += reference.title;
        titles += reference.sourceType == kSourceReport ? "R|" : "|";
    }
    return titles;
}

}  // namespace

TEST_F(TransferTest, OpenSaveAndReopenGiveTheSameReferences)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(130));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(database->references->count(), 130);
    const std::string titles = Titles(*database);
    EXPECT_EQ(std::count(titles.begin(), titles.end(), 'R'), 13);
    EXPECT_EQ(database->modified, 0);
    EXPECT_STREQ(g_transfer.recentFiles[0], path.c_str());
    database->modified = 1;
    const std::string saved = Path("copy.ref");
    ui_.chosenFile = saved;
    ASSERT_EQ(TransferFile(*database, kCommandSaveAs, 1), 1);
    EXPECT_EQ(database->modified, 0);
    EXPECT_STREQ(database->fileName, saved.c_str());
    EXPECT_STREQ(g_transfer.recentFiles[0], saved.c_str());
    ASSERT_EQ(ui_.fileRequests.size(), 1u);
    EXPECT_STREQ(ui_.fileRequests[0].name, path.c_str());  // the dialog starts at the old name
    EXPECT_STREQ(ui_.fileRequests[0].defaultExtension, "REF");

    Database* reopened = OpenFile(saved);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(Titles(*reopened), titles);
    const std::string again = Path("again.ref");  // saved again: the same bytes
    TransferOutcome outcome;
    ASSERT_TRUE(SaveDatabaseFile(*reopened, again.c_str(), "REFER.FLT", false, nullptr, outcome));
    EXPECT_EQ(ReadBytes(again), ReadBytes(saved));
    EXPECT_TRUE(ui_.failed.empty());
    EXPECT_EQ(TemporaryFilesIn(dir_.root), 0);
}

// The backup is named from the file's own name and lies beside it.
TEST_F(TransferTest, SavingKeepsTheFirstBackupOnly)
{
    std::filesystem::create_directory(Path("a.b"));
    const std::string path = Path("a.b/lib.old.ref");
    const std::string backup = Path("a.b/lib.old.BAK");
    WriteBytes(path, ReferText(3));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    for (const char* title : {"Changed once", "Changed twice"}) {
        SetReferenceText(*database->references->referenceAt(0), kFieldTitle, title);
        ASSERT_EQ(TransferFile(*database, kCommandSave, 0), 1);
        EXPECT_EQ(ReadBytes(backup), ReferText(3));  // an existing backup is kept
        EXPECT_NE(ReadBytes(path).find(title), std::string::npos);
    }
    g_transfer.saveBackups = 0;
    std::filesystem::remove(backup);
    ASSERT_EQ(TransferFile(*database, kCommandSave, 0), 1);
    EXPECT_FALSE(std::filesystem::exists(backup));
    char name[kPathSize];
    ASSERT_TRUE(BackupName(Path(".lib").c_str(), name, sizeof name));
    EXPECT_EQ(name, Path(".lib.BAK"));
    EXPECT_FALSE(BackupName(path.c_str(), name, 8));
}

// Opening and saving a UTF-8 file (in the program's own layout and sort order, with a
// byte-order mark) changes no byte; the characters the code page lacks are reported.
TEST_F(TransferTest, AUtf8FileIsSavedBackInUtf8Unchanged)
{
    const std::string original = ReadBytes(DataFile("transfer/utf8.ref"));
    const std::string path = Path("utf8.ref");
    WriteBytes(path, original);
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(database->fileEncoding, kFileUtf8Marked);
    ASSERT_EQ(database->references->count(), 3);
    EXPECT_STREQ(database->references->referenceAt(1)->authors, "\xD6zerol, G\xFCl");
    EXPECT_EQ(ui_.failed, (Failures{{TransferFailure::kUnmappedCharacters, path}}));
    EXPECT_EQ(ui_.reports.at(0).count, 6u);

    database->modified = 1;
    ASSERT_EQ(TransferFile(*database, kCommandSave, 0), 1);
    EXPECT_EQ(ReadBytes(path), original);
    // A database that comes from no file is saved in 8 bits.
    Database* fresh = NewDatabase();
    TransferOutcome outcome;
    ASSERT_TRUE(LoadDatabaseFile(*fresh, DataFile("cartcli/library.ref").c_str(), "REFER.FLT",
                                 nullptr, outcome));
    EXPECT_EQ(fresh->fileEncoding, kFile8Bit);
}

// A file that cannot be opened is reported, and no window opens.
TEST_F(TransferTest, MissingFilesAndFiltersFailWithoutWindows)
{
    const std::string gone = Path("gone.ref");
    const std::string wide = Path("wide.ref");
    WriteBytes(wide, std::string("\xFF\xFE%\0T\0 \0x\0\r\0\n\0", 14));
    AddRecentFile(gone.c_str());
    EXPECT_EQ(OpenFile(gone), nullptr);
    EXPECT_EQ(RecentFileCount(), 0);  // a missing file leaves the recent files

    // A default filter that does not load, or cannot save, is reported under its own name.
    WriteBytes(Path("lib.ref"), ReferText(2));
    SetDefaultFilter("NOSUCH.FLT");
    EXPECT_EQ(OpenFile(Path("lib.ref")), nullptr);
    SetDefaultFilter("../bin/REFER.FLT");  // filters come from their directory only
    EXPECT_EQ(OpenFile(Path("lib.ref")), nullptr);
    SetDefaultFilter("PUBTAG.FLT");
    Database* database = NewDatabase(Path("lib.ref"));
    database->modified = 1;
    EXPECT_EQ(TransferFile(*database, kCommandSave, 0), 0);
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(ReadBytes(Path("lib.ref")), ReferText(2));
    EXPECT_EQ(ui_.progressShown, 0);
    SetDefaultFilter("REFER.FLT");
    EXPECT_EQ(OpenFile(wide), nullptr);
    const TransferFailure noFilter = TransferFailure::kFilterMissing;
    EXPECT_EQ(ui_.failed, (Failures{{TransferFailure::kFileMissing, gone},
                                    {noFilter, "NOSUCH.FLT"},
                                    {noFilter, "../bin/REFER.FLT"},
                                    {noFilter, "PUBTAG.FLT"},
                                    {TransferFailure::kUtf16, wide}}));

    TransferOutcome outcome;
    EXPECT_FALSE(LoadDatabaseFile(*database, Path("lib.ref").c_str(), "NOSUCH", nullptr, outcome));
    EXPECT_EQ(outcome.failure, TransferFailure::kFilterMissing);
}

// STOPSAVE.FLT stops the save at its fourth reference; an unwritable name fails at once.
TEST_F(TransferTest, FailedSavesKeepTheOldFileNameAndModified)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(10));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    database->modified = 1;
    ui_.chosenFile = UnwritablePath();
    EXPECT_EQ(TransferFile(*database, kCommandSaveAs, 1), 0);
    EXPECT_STREQ(database->fileName, path.c_str());  // not renamed after a file never written
    SetFilterDirectory((BuildDirectory("tests") + kPathSeparator + "io-filters").c_str());
    SetDefaultFilter("STOPSAVE.FLT");
    EXPECT_EQ(TransferFile(*database, kCommandSave, 0), 0);
    ASSERT_EQ(ui_.failed.size(), 2u);
    EXPECT_EQ(ui_.failed[0].first, TransferFailure::kFolderRefused);
    EXPECT_NE(ui_.reports[0].error, 0);
    EXPECT_EQ(ui_.failed[1], std::make_pair(TransferFailure::kSaveStopped, path));
    EXPECT_EQ(ReadBytes(path), ReferText(10));
    EXPECT_EQ(database->modified, 1);
    EXPECT_STREQ(g_transfer.recentFiles[0], path.c_str());
    EXPECT_FALSE(std::filesystem::exists(Path("lib.BAK")));
    EXPECT_EQ(TemporaryFilesIn(dir_.root), 0);
}

TEST_F(TransferTest, ClosingAsksToSaveAChangedDatabase)
{
    const std::string path = Path("lib.ref");
    WriteBytes(path, ReferText(2));
    Database* database = OpenFile(path);
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(ConfirmSave(*database), 1);  // unmodified: no question
    database->modified = 1;
    ui_.saveAnswer = SaveAnswer::kCancel;
    EXPECT_EQ(ConfirmSave(*database), 0);
    ui_.saveAnswer = SaveAnswer::kNo;
    EXPECT_EQ(ConfirmSave(*database), 1);
    EXPECT_EQ(database->modified, 1);
    ui_.saveAnswer = SaveAnswer::kYes;
    SetReferenceText(*database->references->referenceAt(0), kFieldTitle, "Saved on close");
    EXPECT_EQ(ConfirmSave(*database), 1);
    EXPECT_NE(ReadBytes(path).find("Saved on close"), std::string::npos);
    EXPECT_EQ(ui_.saveQuestions, 3);
    // A failed save, or a cancelled name for an untitled one, keeps the window open.
    database->modified = 1;
    std::snprintf(database->fileName, kFileNameSize, "%s", UnwritablePath().c_str());
    EXPECT_EQ(ConfirmSave(*database), 0);
    Database* untitled = NewDatabase();
    untitled->modified = 1;
    ui_.chosenFile.clear();
    EXPECT_EQ(ConfirmSave(*untitled), 0);
    Database* bibliography = CreateBibliography();  // never asked about
    bibliography->modified = 1;
    EXPECT_EQ(ConfirmSave(*bibliography), 1);
    EXPECT_EQ(ui_.saveQuestions, 5);
}

// (Saving the bibliography while it is shown formatted is the UI tests'.)
TEST_F(TransferTest, FormattedBibliographyIsWrittenAsItStands)
{
    ui_.bibliographyText = "Header\r\n\r\n\tend\n" + std::string(100000, 'x');  // > a buffer
    ui_.chosenFile = Path("bib.txt");
    ASSERT_EQ(SaveFormattedBibliography(), 1);
    EXPECT_EQ(ReadBytes(Path("bib.txt")), ui_.bibliographyText);
    EXPECT_STREQ(ui_.fileRequests[0].defaultExtension, "TXT");
}

TEST_F(TransferTest, FiltersAreListedByModeAtMost31)
{
    FilterEntry entries[kMaxListedFilters + 2];
    const struct {
        int mode;
        int count;
    } modes[] = {{kListDefaultFormat, 3}, {kListImport, 6}, {kListExport, 3}, {kListEvery, 6},
                 {12345, 0}};
    for (const auto& mode : modes)
        EXPECT_EQ(ListFilters(mode.mode, entries, kMaxListedFilters), mode.count) << mode.mode;
    std::set<std::string> saving;
    for (int i = 0; i < ListFilters(kListDefaultFormat, entries, kMaxListedFilters); ++i)
        saving.insert(entries[i].fileName);
    EXPECT_EQ(saving, (std::set<std::string>{"BIBTEX.FLT", "REFER.FLT", "RIS.FLT"}));
    char name[kFilterNameSize];
    ASSERT_TRUE(ResolveFilterName("Refer.flt", name, sizeof name));
    EXPECT_STREQ(name, "REFER.FLT");
    ASSERT_TRUE(ResolveFilterName("pubtag", name, sizeof name));
    for (const char* refused : {"nosuch", "../bin/REFER.FLT", ""})
        EXPECT_FALSE(ResolveFilterName(refused, name, sizeof name)) << refused;

    for (int i = 0; i < 33; ++i) {
        char copy[16];
        std::snprintf(copy, sizeof copy, "F%02d.FLT", i);
        std::filesystem::copy_file(FilterDirectory() + std::string(1, kPathSeparator) + "REFER.FLT",
                                   Path(copy));
    }
    WriteBytes(Path("BROKEN.FLT"), "not a library");
    SetFilterDirectory(dir_.root.string().c_str());
    ASSERT_EQ(ListFilters(kListDefaultFormat, entries, kMaxListedFilters + 2), kMaxListedFilters);
    std::set<std::string> listed;
    for (int i = 0; i < kMaxListedFilters; ++i) listed.insert(entries[i].fileName);
    EXPECT_EQ(listed.size(), static_cast<std::size_t>(kMaxListedFilters));
    EXPECT_EQ(listed.count("BROKEN.FLT"), 0u);
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
    Database* database = NewDatabase(path);
    EXPECT_EQ(TransferFile(*database, kCommandOpen, 0), 1);  // what was read stays
    EXPECT_EQ(database->references->count(), 3);
    EXPECT_STREQ(database->fileName, "");
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(RecentFileCount(), 0);
    // Closing asks to save; Yes asks for a name, and cancelling leaves the file as it was.
    ui_.saveAnswer = SaveAnswer::kYes;
    EXPECT_EQ(ConfirmSave(*database), 0);
    ASSERT_EQ(ui_.fileRequests.size(), 1u);
    EXPECT_STREQ(ui_.fileRequests[0].name, "");
    EXPECT_EQ(ReadBytes(path), text);
    g_store.resolver = nullptr;
}
