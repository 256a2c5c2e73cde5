// A recording stand-in for the transfer engine's user interface, and a fixture that gives
// every test a fresh store, transfer state, settings file and temporary directory, with the
// filters of the build's bin folder.
#ifndef CARTULAN_TESTS_IO_TRANSFER_FAKES_H
#define CARTULAN_TESTS_IO_TRANSFER_FAKES_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "io/filter_loader.h"
#include "io/transfer_ui.h"
#include "test_files.h"

class Database;

class FakeTransferUi : public TransferUi {
public:
    std::string chosenFile;     // what the file dialog answers; cancel when empty
    std::string chosenFormat;   // what the format dialog answers; cancel when empty
    SaveAnswer saveAnswer = SaveAnswer::kNo;
    std::string bibliographyText;

    std::vector<FileRequest> fileRequests;
    // The reports as they came; their file names are valid only during the call, so the
    // names are kept in failureNames.
    std::vector<TransferReport> failures;
    std::vector<std::string> failureNames;
    int progressShown = 0;
    int saveQuestions = 0;

    void* frameWindow() override { return this; }
    bool chooseFileName(FileRequest& request) override
    {
        fileRequests.push_back(request);
        std::snprintf(request.name, sizeof request.name, "%s", chosenFile.c_str());
        return !chosenFile.empty();
    }
    bool chooseFormat(int, char* fileName) override
    {
        std::snprintf(fileName, kFilterNameSize, "%s", chosenFormat.c_str());
        return !chosenFormat.empty();
    }
    SaveAnswer askToSave(const Database&) override
    {
        ++saveQuestions;
        return saveAnswer;
    }
    void reportFailure(const TransferReport& report) override
    {
        failures.push_back(report);
        failureNames.push_back(report.fileName);
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

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path in the test's temporary directory.
    std::string Path(const std::string& name) const { return dir_.Path(name); }
    // The path of a data file of tests/data.
    static std::string DataFile(const std::string& name);

    TempDir dir_;
    FakeTransferUi ui_;
};

// The folder of the filters built for the tests.
std::string TestFilterDirectory();
// A path in a directory that does not exist: nothing can be saved there.
std::string UnwritablePath();
// A new database (the fixture destroys what is left).
Database* NewDatabase();
// Opens `path` as the Open command does when it is given a name; null when that fails.
Database* OpenFile(const std::string& path);
// The new files a save writes beside its target ("~CT....TMP") that are still there.
int TemporaryFilesIn(const std::filesystem::path& directory);
// A refer file of `count` references, each with one author, a date and a title, numbered so
// that the authors sort in file order; every tenth is a report, the others journal papers.
std::string ReferText(int count);

#endif
