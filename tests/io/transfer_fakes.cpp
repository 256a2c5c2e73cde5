#include "transfer_fakes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "format/bib_format.h"
#include "io/app_settings.h"
#include "io/filter_loader.h"
#include "io/platform_files.h"
#include "io/transfer.h"
#include "io/transfer_state.h"
#include "store/database.h"
#include "store/store_state.h"

namespace {

// The folder above the test programs' folder.
std::string BuildDirectory()
{
    char directory[kPathSize] = "";
    EXPECT_TRUE(ProgramDirectory(directory, sizeof directory));
    std::string path = directory;
    const std::size_t cut = path.find_last_of(kPathSeparator);
    return cut == std::string::npos ? path : path.substr(0, cut);
}

}  // namespace

void TransferTest::SetUp()
{
#if !defined(_WIN32)
    // Filters read their options; natively from a settings file of the test's own.
    setenv("CARTULAN_CONFIG", Path("settings").c_str(), 1);
#endif
    g_store = StoreState();
    g_transfer.ui = &ui_;
    g_transfer.saveBackups = 1;
    g_transfer.lastDirectory[0] = '\0';
    SetDefaultFilter(kDefaultFilterName);
    ClearRecentFiles();
    g_settings = AppSettings();
    SetFilterDirectory((BuildDirectory() + kPathSeparator + "bin").c_str());
    UseBasicBibFormat();
}

void TransferTest::TearDown()
{
    while (Database* database = FirstDatabase()) DestroyDatabase(database);
    ClearRecentFiles();
    g_transfer.ui = nullptr;
    SetFilterDirectory(nullptr);
}

std::string TransferTest::DataFile(const std::string& name)
{
    std::string path = std::string(CARTULAN_TEST_DATA_DIR) + "/" + name;
    for (char& c : path)
        if (c == '/') c = kPathSeparator;
    return path;
}

std::string TestFilterDirectory()
{
    return BuildDirectory() + kPathSeparator + "tests" + kPathSeparator + "io-filters";
}

std::string UnwritablePath()
{
    return (std::filesystem::temp_directory_path() / "cartulan-no-such-dir" / "lib.ref").string();
}

Database* NewDatabase()
{
    Database* database = CreateDatabase();
    EXPECT_NE(database, nullptr);
    return database;
}

Database* OpenFile(const std::string& path)
{
    Database* database = NewDatabase();
    std::snprintf(database->fileName, kFileNameSize, "%s", path.c_str());
    if (TransferFile(*database, kCommandOpen, 0) != 1) {
        DestroyDatabase(database);
        return nullptr;
    }
    return database;
}

int TemporaryFilesIn(const std::filesystem::path& directory)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        if (entry.path().filename().string().rfind("~CT", 0) == 0) ++count;
    return count;
}

std::string ReferText(int count)
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
