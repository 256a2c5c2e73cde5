// The fixture of the reference editor's UI tests.
#include "reference_editor_fixture.h"

#include <fstream>

#include "right_drag.h"

std::string EditorTest::Write(const std::string& name, const std::string& text)
{
    std::string path = dir_ + "\\" + name;
    std::ofstream(path, std::ios::binary) << text;
    char full[MAX_PATH];
    return GetFullPathNameA(path.c_str(), sizeof full, full, nullptr) ? full : "";
}

HWND EditorTest::LaunchWith(const std::string& refer)
{
    file_ = Write("papers.ref", refer);
    HWND frame = Launch();
    if (frame && !ui::HandOver(frame, file_))
        ADD_FAILURE() << "the hand-over was not answered";
    list_ = frame ? ui::ListOf(ui::ActiveDatabaseWindow(frame)) : nullptr;
    return frame;
}

HWND EditorTest::WaitFor(const std::function<bool(HWND)>& match, HWND except)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < ui::kDefaultWaitMs; Sleep(20)) {
        for (HWND window : ui::TopLevelWindowsOf(program_.Pid())) {
            if (window != except && ui::ClassOf(window) == "#32770" && IsWindowVisible(window) &&
                match(window) && ui::Sync(window))
                return window;
        }
    }
    ADD_FAILURE() << "no such dialog:\n" << ui::DescribeWindowsOf(program_.Pid());
    return nullptr;
}

HWND EditorTest::WaitForEditor(HWND except)
{
    return WaitFor(
        [](HWND w) { return GetDlgItem(w, IDC_REF_OK_AND_NEW) && GetDlgItem(w, IDC_REF_ABSTRACT); },
        except);
}

HWND EditorTest::WaitForTitled(const std::string& title, HWND except)
{
    return WaitFor([&title](HWND w) { return ui::TextOf(w) == title; }, except);
}

bool EditorTest::Press(HWND dialog, int id)
{
    DWORD_PTR result = 0;
    return dialog && SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)),
                                         SMTO_NORMAL, ui::kDefaultWaitMs, &result);
}


HWND EditorTest::OpenEditor(HWND frame, int line)
{
    if (!ui::SelectLines(list_, {line}) || !ui::PostCommand(frame, CMD_REF_EDIT))
        return nullptr;
    return WaitForEditor();
}

bool EditorTest::DoubleClick(int line)
{
    using ui::drag_detail::Mouse;
    RECT item = ui::ListItemRect(list_, line);
    POINT at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list_, &at);
    return Mouse(at, 0) && Mouse(at, MOUSEEVENTF_LEFTDOWN) && Mouse(at, MOUSEEVENTF_LEFTUP) &&
           Mouse(at, MOUSEEVENTF_LEFTDOWN) && Mouse(at, MOUSEEVENTF_LEFTUP, false);
}

void EditorTest::Type(HWND dialog, int id, const std::string& text)
{
    HWND control = GetDlgItem(dialog, id);
    // The source is typed into the combo box's edit field. A replaced selection is reported
    // as typing is; a text set whole is not, by multi-line edits.
    if (HWND edit = FindWindowExA(control, nullptr, "Edit", nullptr))
        control = edit;
    SendMessageA(control, EM_SETSEL, 0, -1);
    SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string EditorTest::Field(HWND dialog, int id)
{
    return ui::TextOf(GetDlgItem(dialog, id));
}

bool EditorTest::Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::string EditorTest::Saved(HWND frame)
{
    return ui::SendCommand(frame, CMD_FILE_SAVE) ? ui::FileText(file_) : "";
}

std::vector<std::string> EditorTest::Titles(const std::string& saved)
{
    std::vector<std::string> titles;
    for (size_t at = saved.find("%T "); at != std::string::npos; at = saved.find("%T ", at + 1))
        titles.push_back(saved.substr(at + 3, saved.find('\r', at) - at - 3));
    return titles;
}

const ui::MenuItem* EditorTest::MenuEntry(HWND dialog, int position, int id)
{
    if (!ui::ReadMenuBar(dialog, menu_, position) || static_cast<size_t>(position) >= menu_.size())
        return nullptr;
    for (const ui::MenuItem& item : menu_[static_cast<size_t>(position)].items) {
        if (item.id == id)
            return &item;
    }
    return nullptr;
}
