#include "database_list.h"

#include "../lang/ids.h"
#include "list_line.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/list_flags.h"
#include "store/reference_list.h"

namespace {

// Up to this many gathered changes are handed to the list box one by one; more are applied
// by setting the count once and selecting the lines again.
constexpr size_t kDirectEdits = 32;
constexpr size_t kFlagBlock = 1024;

// The selection flag of every line, kept in blocks, so that inserting or deleting one line
// moves at most two blocks' worth of flags whatever the length of the list.
struct LineFlags {
    std::vector<std::vector<uint8_t>> blocks;
    int32_t total = 0;
};

LineFlags MakeLineFlags(int32_t count, const std::vector<int32_t>& selected)
{
    LineFlags flags;
    flags.total = count;
    for (int32_t start = 0; start < count; start += kFlagBlock) {
        int32_t size = count - start < static_cast<int32_t>(kFlagBlock)
                           ? count - start : static_cast<int32_t>(kFlagBlock);
        flags.blocks.emplace_back(static_cast<size_t>(size), 0);
    }
    for (int32_t index : selected) {
        if (index >= 0 && index < count)
            flags.blocks[index / kFlagBlock][index % kFlagBlock] = 1;
    }
    if (flags.blocks.empty())
        flags.blocks.emplace_back();
    return flags;
}

// The block holding line `index` (or the end for index == total), and the offset in it.
size_t Locate(const LineFlags& flags, int32_t& index)
{
    size_t block = 0;
    while (block + 1 < flags.blocks.size() &&
           index >= static_cast<int32_t>(flags.blocks[block].size())) {
        index -= static_cast<int32_t>(flags.blocks[block].size());
        ++block;
    }
    return block;
}

void InsertFlag(LineFlags& flags, int32_t index)
{
    if (index < 0 || index > flags.total)
        return;
    size_t block = Locate(flags, index);
    std::vector<uint8_t>& line = flags.blocks[block];
    line.insert(line.begin() + index, 0);
    if (line.size() >= 2 * kFlagBlock) {
        std::vector<uint8_t> upper(line.begin() + kFlagBlock, line.end());
        line.resize(kFlagBlock);
        flags.blocks.insert(flags.blocks.begin() + static_cast<ptrdiff_t>(block) + 1,
                            std::move(upper));
    }
    ++flags.total;
}

void EraseFlag(LineFlags& flags, int32_t index)
{
    if (index < 0 || index >= flags.total)
        return;
    size_t block = Locate(flags, index);
    std::vector<uint8_t>& line = flags.blocks[block];
    line.erase(line.begin() + index);
    if (line.empty() && flags.blocks.size() > 1)
        flags.blocks.erase(flags.blocks.begin() + static_cast<ptrdiff_t>(block));
    --flags.total;
}

void SetFlag(LineFlags& flags, int32_t index)
{
    if (index < 0 || index >= flags.total)
        return;
    size_t block = Locate(flags, index);
    flags.blocks[block][static_cast<size_t>(index)] = 1;
}

void SelectLine(HWND list, int32_t index)
{
    SendMessageA(list, LB_SETSEL, TRUE, index);
    SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

void ApplyEdit(HWND list, const LineEdit& edit)
{
    switch (edit.kind) {
    case LineEdit::kInsert:
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(edit.index), 0);
        break;
    case LineEdit::kDelete:
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(edit.index), 0);
        break;
    case LineEdit::kSelect:
        SelectLine(list, edit.index);
        break;
    }
}

// Selects each run of selected lines with one message. A range message also serves a single
// line: it does not move the caret and scroll to it as LB_SETSEL does for every line.
void SelectRuns(HWND list, const LineFlags& flags)
{
    int32_t line = 0;
    int32_t runStart = -1;
    auto endRun = [&](int32_t last) {
        if (runStart < 0)
            return;
        SendMessageA(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(runStart), last);
        runStart = -1;
    };
    for (const std::vector<uint8_t>& block : flags.blocks) {
        for (uint8_t selected : block) {
            if (selected && runStart < 0)
                runStart = line;
            else if (!selected)
                endRun(line - 1);
            ++line;
        }
    }
    endRun(line - 1);
}

// Many changes: work out the final selection once, then set the count in one step.
void ApplyManyEdits(DatabaseView& view)
{
    HWND list = view.content;
    int32_t count = static_cast<int32_t>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    LineFlags flags = MakeLineFlags(count, SelectedLines(view));
    int32_t caret = -1;
    for (const LineEdit& edit : view.pending) {
        if (edit.kind == LineEdit::kInsert) {
            InsertFlag(flags, edit.index);
        } else if (edit.kind == LineEdit::kDelete) {
            EraseFlag(flags, edit.index);
        } else {
            SetFlag(flags, edit.index);
            caret = edit.index;
        }
    }
    int32_t top = static_cast<int32_t>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(flags.total), 0);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SelectRuns(list, flags);
    if (top >= flags.total)
        top = flags.total - 1;
    if (top >= 0)
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    if (caret >= 0 && caret < flags.total)
        SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
}

bool ListShowsLines(const DatabaseView& view)
{
    return view.content && !view.formatted && view.shown;
}

}  // namespace

HWND CreateListControl(DatabaseView& view)
{
    Database& database = *view.database;
    database.authorColumnPixels = database.authorColumnChars * g_shell.metrics.avgCharWidth;
    const bool withTitle = (database.listFlags & kListWithTitle) != 0;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                  LBS_NODATA | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    style |= withTitle ? WS_VSCROLL : LBS_MULTICOLUMN;
    RECT rc;
    GetClientRect(view.window, &rc);
    HWND list = CreateWindowExA(0, "LISTBOX", nullptr, style, 0, 0, rc.right, rc.bottom,
                                view.window, reinterpret_cast<HMENU>(IDC_DBWIN_LIST),
                                g_shell.instance, nullptr);
    if (!list)
        return nullptr;
    if (!withTitle)
        SendMessageA(list, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(ListColumnWidth(database)), 0);
    view.content = list;
    view.formatted = false;
    view.horizontalExtent = 0;
    view.pending.clear();
    database.listBox = list;
    return list;
}

void FillList(DatabaseView& view)
{
    view.shown = true;
    view.pending.clear();
    if (!view.content || view.formatted)
        return;
    HWND list = view.content;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(view.database->references->count()), 0);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(view.horizontalExtent), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(view.window, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ClearList(DatabaseView& view)
{
    view.pending.clear();
    view.horizontalExtent = 0;
    if (!view.content || view.formatted)
        return;
    SendMessageA(view.content, LB_RESETCONTENT, 0, 0);
    SendMessageA(view.content, LB_SETHORIZONTALEXTENT, 0, 0);
}

void HideLines(DatabaseView& view)
{
    ClearList(view);
    view.shown = false;
}

void RecordLineEdit(DatabaseView& view, LineEdit::Kind kind, int32_t index)
{
    if (!ListShowsLines(view))
        return;
    if (view.updateDepth > 0)
        view.pending.push_back({kind, index});
    else
        ApplyEdit(view.content, {kind, index});
}

void BeginLineUpdates(DatabaseView& view)
{
    ++view.updateDepth;
}

void EndLineUpdates(DatabaseView& view)
{
    if (view.updateDepth > 0)
        --view.updateDepth;
    if (view.updateDepth > 0 || view.pending.empty())
        return;
    if (ListShowsLines(view)) {
        HWND list = view.content;
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        if (view.pending.size() <= kDirectEdits) {
            for (const LineEdit& edit : view.pending)
                ApplyEdit(list, edit);
        } else {
            ApplyManyEdits(view);
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    view.pending.clear();
}

std::vector<int32_t> SelectedLines(const DatabaseView& view)
{
    std::vector<int32_t> lines;
    if (!view.content || view.formatted)
        return lines;
    LRESULT count = SendMessageA(view.content, LB_GETSELCOUNT, 0, 0);
    if (count <= 0)
        return lines;
    std::vector<int> indexes(static_cast<size_t>(count));
    LRESULT got = SendMessageA(view.content, LB_GETSELITEMS, static_cast<WPARAM>(count),
                               reinterpret_cast<LPARAM>(indexes.data()));
    if (got < 0)
        got = 0;
    lines.assign(indexes.begin(), indexes.begin() + got);
    return lines;
}

int SelectedLineCount(const DatabaseView& view)
{
    if (!view.content || view.formatted)
        return 0;
    LRESULT count = SendMessageA(view.content, LB_GETSELCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

int ShownCount(const DatabaseView& view)
{
    if (view.formatted)
        return view.database && view.database->references ? view.database->references->count() : 0;
    if (!view.content)
        return 0;
    LRESULT count = SendMessageA(view.content, LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}
