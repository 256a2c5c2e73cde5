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

// The filters' one-box options: the box starts from the stored value (or the default), OK
// stores it, Cancel stores nothing.
TEST(FilterDialogs, OneBoxOptionStartsFromTheStoreAndOkStoresIt)
{
    struct Case {
        const char* fileName;
        const char* title;
        const char* section;
        int box;
        int stored;  // before the dialog opens; -1: nothing
        bool checked;
    } const cases[] = {
        {"REFER.FLT", "BSD refer filter", "Refer", 101, 1, true},
        {"PUBTAG.FLT", "pubtag options", "pubtag", 103, -1, true},
        {"RIS.FLT", "RIS filter", "RIS", 101, -1, true},
        {"BIBTEX.FLT", "BibTeX filter", "BibTeX", 101, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        ClearFilterOptions();
        if (c.stored >= 0) {
            ASSERT_EQ(SetConfigInt(c.section, "Opt", c.stored), 0);
        }
        FilterLibrary filter(c.fileName);
        ASSERT_NE(filter.opts, nullptr);
        int result = RunOpts(filter.opts, c.title, [&](HWND dialog) {
            EXPECT_EQ(Checked(dialog, c.box), c.checked);
            SetCheck(dialog, c.box, !c.checked);
            Press(dialog, IDOK);
        });
        EXPECT_EQ(result, 0) << "the result of the store";
        EXPECT_EQ(GetConfigInt(c.section, "Opt", -100), c.checked ? 0 : 1);
        result = RunOpts(filter.opts, c.title, [&](HWND dialog) {
            EXPECT_EQ(Checked(dialog, c.box), !c.checked);
            SetCheck(dialog, c.box, c.checked);
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(result, -1);
        EXPECT_EQ(GetConfigInt(c.section, "Opt", -100), c.checked ? 0 : 1) << "Cancel stores nothing";
    }
}

TEST(FilterDialogs, CitadatOkStoresTheBitsAndKeepsThemForThisLoad)
{
    FilterLibrary filter("CITADAT.FLT");
    ASSERT_NE(filter.opts, nullptr);
    int result = RunOpts(filter.opts, "citadat (ISI) Import options", [](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, 101) && Checked(dialog, 102) && Checked(dialog, 104));
        SetCheck(dialog, 102, false);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(GetConfigInt("citadat", "Opts", -100), 5);

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
    EXPECT_EQ(GetConfigInt("citadat", "Opts", -100), 7) << "Cancel stores nothing";
}

}  // namespace
