// The fixture of the reference editor's UI tests: a file of three papers by the same author
// and year (so that the title decides their order), and helpers that find the editor's
// dialogs, type into them, and read back what the program stored.
#ifndef CARTULAN_TESTS_UI_REFERENCE_EDITOR_FIXTURE_H
#define CARTULAN_TESTS_UI_REFERENCE_EDITOR_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ids.h"
#include "program_test.h"
#include "startup_support.h"

constexpr char kPapers[] =
    "%A Adams, A\r\n%D 1990\r\n%T Gear trains\r\n%J Mech J\r\n\r\n"
    "%A Adams, A\r\n%D 1990\r\n%T Pumps\r\n\r\n"
    "%A Adams, A\r\n%D 1990\r\n%T Valves\r\n\r\n";
constexpr char kAuthorDialogTitle[] = "Edit author(s), year and source";

class EditorTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        dir_ = ui::MakeTempDir("editor");
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        ui::RemoveDirTree(dir_);
    }

    std::string Write(const std::string& name, const std::string& text);
    // Starts the program with a file of `refer` text; list_ is its window's list.
    HWND LaunchWith(const std::string& refer);
    // A visible dialog of the program (not `except`) that `match` accepts; null after a wait.
    HWND WaitFor(const std::function<bool(HWND)>& match, HWND except = nullptr);
    HWND WaitForEditor(HWND except = nullptr);
    HWND WaitForTitled(const std::string& title, HWND except = nullptr);
    // Presses a button and returns when the dialog has handled it.
    bool Press(HWND dialog, int id);
    // Selects `line` and opens the editor on it with the Edit command.
    HWND OpenEditor(HWND frame, int line);
    // Double-clicks line `line` of the list with the left button, as a hand does.
    bool DoubleClick(int line);
    // Sets a control's text as typing does: the control reports the change.
    void Type(HWND dialog, int id, const std::string& text);
    std::string Field(HWND dialog, int id);
    bool Enabled(HWND dialog, int id);
    // Saves the file and returns its text; the titles of a saved text in order.
    std::string Saved(HWND frame);
    static std::vector<std::string> Titles(const std::string& saved);
    // The item `id` of the pop-up at `position` of the dialog's menu, as opening it shows it.
    const ui::MenuItem* MenuEntry(HWND dialog, int position, int id);

    std::string dir_;
    std::string file_;
    HWND list_ = nullptr;
    std::vector<ui::MenuItem> menu_;
};

#endif
