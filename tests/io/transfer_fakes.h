// A recording stand-in for the transfer engine's user interface, and a fixture that gives
// every test a fresh store, transfer state, settings file and temporary directory, with the
// filters of the build's bin folder.
#ifndef CARTULAN_TESTS_IO_TRANSFER_FAKES_H
#define CARTULAN_TESTS_IO_TRANSFER_FAKES_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "format/bib_format.h"
#include "io/app_settings.h"
#include "io/filter_loader.h"
#include "io/platform_files.h"
#include "io/transfer.h"
#include "io/transfer_state.h"
#include "io/transfer_ui.h"
#include "store/database.h"
#include "store/store_state.h"
#include "test_files.h"

// Each failure reported and the file or filter it names.
using Failures = std::vector<std::pair<TransferFailure, std::string>>;

class FakeTransferUi : public TransferUi {
public:
    std::string chosenFile;     // what the file dialog answers; cancel when empty
    SaveAnswer saveAnswer = SaveAnswer::kNo;
    std::string bibliographyText;

    std::vector<FileRequest> fileRequests;
    Failures failed;
    std::vector<TransferReport> reports;  // their file names are valid only during the call
    int progressShown = 0;
    int saveQuestions = 0;

    void* frameWindow() override { return this; }
    bool chooseFileName(FileRequest& request) override
    {
        fileRequests.push_back(request);
        std::snprintf(request.name, sizeof request.name, "%s", chosenFile.c_str());
        return !chosenFile.empty();
    }
    bool chooseFormat(int, char*) override { return false; }
    SaveAnswer askToSave(const Database&) override { return ++saveQuestions, saveAnswer; }
    void reportFailure(const TransferReport& report) override
    {
        reports.push_back(report);
        failed.emplace_back(report.failure, report.fileName);
    }
    void* beginProgress(const char*) override { return ++progressShown, this; }
    void progress(TransferProgress, unsigned long) override {}
    void endProgress() override {}
    void fileNameChanged(Database&) override {}
    std::size_t formattedBibliography(char* buffer, std::size_t size) override
    {
        const std::size_t length = std::min(bibliographyText.size(), size - 1);
        std::memcpy(buffer, bibliographyText.data(), length);
        buffer[length] = '\0';
        return length;
    }
};

// The folder above the test programs' folder, and a folder below it ("bin").
inline std::string BuildDirectory(const std::string& below)
{
    char directory[kPathSize] = "";
    EXPECT_TRUE(ProgramDirectory(directory, sizeof directory));
    std::string path = directory;
    return path.substr(0, path.find_last_of(kPathSeparator) + 1) + below;
}

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
#if !defined(_WIN32)
        // The settings, and the filters' options, natively in a settings file of the test's own.
        setenv("CARTULAN_CONFIG", Path("settings").c_str(), 1);
#endif
        Reset();
        g_transfer.ui = &ui_;
        g_transfer.lastDirectory[0] = '\0';
        SetFilterDirectory(BuildDirectory("bin").c_str());
    }
    // The program's built-in state, as before the settings are read.
    static void Reset()
    {
        g_store = StoreState();
        g_settings = AppSettings();
        g_transfer.saveBackups = 1;
        ClearRecentFiles();
        SetDefaultFilter(kDefaultFilterName);
        UseBasicBibFormat();
    }
    void TearDown() override
    {
        while (Database* database = FirstDatabase()) DestroyDatabase(database);
        ClearRecentFiles();
        g_transfer.ui = nullptr;
        SetFilterDirectory(nullptr);
    }

    // A path in the test's temporary directory.
    std::string Path(const std::string& name) const { return dir_.Path(name); }

    TempDir dir_;
    FakeTransferUi ui_;
};

// A data file of tests/data.
inline std::string DataFile(const std::string& name)
{
    std::string path = std::string(CARTULAN_TEST_DATA_DIR) + "/" + name;
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    return path;
}

// A path in a directory that does not exist: nothing can be saved there.
inline std::string UnwritablePath()
{
    return (std::filesystem::temp_directory_path() / "cartulan-no-such-dir" / "lib.ref").string();
}

// A new database (the fixture destroys what is left).
inline Database* NewDatabase(const std::string& fileName = "")
{
    Database* database = CreateDatabase();
    EXPECT_NE(database, nullptr);
    std::snprintf(database->fileName, kFileNameSize, "%s", fileName.c_str());
    return database;
}

// Opens `path` as the Open command does when it is given a name; null when that fails.
inline Database* OpenFile(const std::string& path)
{
    Database* database = NewDatabase(path);
    if (TransferFile(*database, kCommandOpen, 0) != 1) {
        DestroyDatabase(database);
        return nullptr;
    }
    return database;
}

// The new files a save writes beside its target ("~CT....TMP") that are still there.
inline int TemporaryFilesIn(const std::filesystem::path& directory)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        if (entry.path().filename().string().rfind("~CT", 0) == 0) ++count;
    return count;
}

// A refer file of `count` references, each with one author, a date and a title, numbered so
// that the authors sort in file order; every tenth is a report, the others journal papers.
inline std::string ReferText(int count)
{
    std::string text;
    char record[160];
    for (int i = 0; i < count; ++i) {
        std::snprintf(record, sizeof record,
                      "%%A Author%05d, A.\r\n%%D %d\r\n%%T Title number %d\r\n%%%c Series\r\n\r\n",
                      i, 1950 + i % 70, i, i % 10 == 9 ? 'R' : 'J');
        text += record;
    }
    return text;
}

#endif
