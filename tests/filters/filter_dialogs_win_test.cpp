// The options dialogs of the filters, driven from a second thread while Opts runs them: the
// state they start from, what OK and Cancel store and return.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"
#include "filter_test_environment.h"
#include "test_files.h"

namespace {

constexpr int kWaitSteps = 1000;
constexpr DWORD kWaitStepMs = 10;

// Calls Opts on its own thread, waits for the top-level window titled `title` to show, lets
// `drive` close it, and returns what Opts returned.
int RunOpts(OptsProc opts, const char* title, const std::function<void(HWND)>& drive)
{
    std::atomic<bool> done{false};
    std::atomic<int> result{-999};
    std::thread caller([&] {
        result = opts(nullptr);
        done = true;
    });
    // The window is found as soon as it exists; it is shown once its controls are set up.
    HWND window = nullptr;
    for (int step = 0; step < kWaitSteps && window == nullptr && !done; ++step) {
        window = FindWindowA(nullptr, title);
        if (window != nullptr && !IsWindowVisible(window))
            window = nullptr;
        if (window == nullptr)
            Sleep(kWaitStepMs);
    }
    if (window == nullptr) {
        ADD_FAILURE() << "no window \"" << title << "\"";
        if (!done) {
            caller.detach();
            return -999;
        }
    } else {
        drive(window);
    }
    caller.join();
    return result;
}

void SetCheck(HWND dialog, int id, bool checked)
{
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Checked(HWND dialog, int id)
{
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int Stored(const char* section, const char* key)
{
    return GetConfigInt(section, key, -100);
}

TEST(FilterDialogs, ReferOptionStartsFromTheStoreAndOkStoresIt)
{
    ClearFilterOptions();
    ASSERT_EQ(SetConfigInt("Refer", "Opt", 1), 0);
    FilterLibrary filter("REFER.FLT");
    ASSERT_NE(filter.opts, nullptr);
    int result = RunOpts(filter.opts, "BSD refer filter", [](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, 101));
        SetCheck(dialog, 101, false);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, 0) << "the result of the store";
    EXPECT_EQ(Stored("Refer", "Opt"), 0);

    result = RunOpts(filter.opts, "BSD refer filter", [](HWND dialog) {
        EXPECT_FALSE(Checked(dialog, 101));
        SetCheck(dialog, 101, true);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Stored("Refer", "Opt"), 0) << "Cancel stores nothing";
    ClearFilterOptions();
}

TEST(FilterDialogs, PubtagOptionStartsCheckedAndOkStoresIt)
{
    ClearFilterOptions();
    FilterLibrary filter("PUBTAG.FLT");
    ASSERT_NE(filter.opts, nullptr);
    int result = RunOpts(filter.opts, "pubtag options", [](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, 103)) << "the default is 1";
        SetCheck(dialog, 103, false);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Stored("pubtag", "Opt"), 0);

    // The loaded filter takes the stored option from its next record on.
    const std::string path = ScratchPath("split.ptg");
    WriteBytes(path, "SO  - J 1994;12(3):4\r\n");
    std::vector<RecordCopy> records = LoadFile(filter.loadRef, path);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].texts[kRecordSource], "J 1994;12(3):4");

    result = RunOpts(filter.opts, "pubtag options", [](HWND dialog) { Press(dialog, IDCANCEL); });
    EXPECT_EQ(result, -1);
    ClearFilterOptions();
}

TEST(FilterDialogs, CitadatOkStoresTheBitsAndKeepsThemForThisLoad)
{
    ClearFilterOptions();
    FilterLibrary filter("CITADAT.FLT");
    ASSERT_NE(filter.opts, nullptr);
    int result = RunOpts(filter.opts, "citadat (ISI) Import options", [](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, 101) && Checked(dialog, 102) && Checked(dialog, 104));
        SetCheck(dialog, 102, false);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Stored("citadat", "Opts"), 5);

    // The loaded filter uses what Ok kept, not what the store holds now.
    ASSERT_EQ(SetConfigInt("citadat", "Opts", 7), 0);
    const std::string path = ScratchPath("caps.isi");
    WriteBytes(path, "Record\r\n\r\nTI CAPITALS\r\n");
    std::vector<RecordCopy> records = LoadFile(filter.loadRef, path);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].texts[kRecordTitle], "CAPITALS");

    result = RunOpts(filter.opts, "citadat (ISI) Import options", [](HWND dialog) {
        SetCheck(dialog, 101, false);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(Stored("citadat", "Opts"), 7) << "Cancel stores nothing";
    ClearFilterOptions();
}

TEST(FilterDialogs, VitadexShowsAMessageBox)
{
    FilterLibrary filter("VITADEX.FLT");
    ASSERT_NE(filter.opts, nullptr);
    int result = RunOpts(filter.opts, "vitadex Filter", [](HWND box) { Press(box, IDOK); });
    EXPECT_EQ(result, IDOK);
}

// The RIS and BibTeX filters' one option each, "write UTF-8": it starts from the stored value
// (or the default), OK stores the box, Cancel stores nothing.
TEST(FilterDialogs, RisAndBibtexUtf8OptionStartsFromTheStoreAndOkStoresIt)
{
    struct Case {
        const char* fileName;
        const char* title;
        const char* section;
        bool checkedByDefault;
    } const cases[] = {
        {"RIS.FLT", "RIS filter", "RIS", true},
        {"BIBTEX.FLT", "BibTeX filter", "BibTeX", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        ClearFilterOptions();
        FilterLibrary filter(c.fileName);
        ASSERT_NE(filter.opts, nullptr);
        int result = RunOpts(filter.opts, c.title, [&](HWND dialog) {
            EXPECT_EQ(Checked(dialog, 101), c.checkedByDefault);
            SetCheck(dialog, 101, !c.checkedByDefault);
            Press(dialog, IDOK);
        });
        EXPECT_EQ(result, 0) << "the result of the store";
        EXPECT_EQ(Stored(c.section, "Opt"), c.checkedByDefault ? 0 : 1);
        result = RunOpts(filter.opts, c.title, [&](HWND dialog) {
            EXPECT_EQ(Checked(dialog, 101), !c.checkedByDefault);
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(result, -1);
        EXPECT_EQ(Stored(c.section, "Opt"), c.checkedByDefault ? 0 : 1);
    }
    ClearFilterOptions();
}

}  // namespace
