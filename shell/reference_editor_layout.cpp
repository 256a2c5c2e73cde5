#include "reference_editor_layout.h"

#include <algorithm>

#include "../lang/ids.h"
#include "io/app_settings.h"

namespace {

// A line and a page of scrolling, in pixels.
constexpr int kScrollLine = 10;
constexpr int kScrollPage = 50;

// The controls that keep their distance from the right edge; the abstract and the title
// stretch with it, every other control stays where the template put it.
const int kRightAnchored[] = {
    IDC_REF_NUMBER,        IDC_REF_NUMBER_LABEL, IDC_REF_SOURCE,        IDC_REF_SOURCE_LABEL,
    IDC_REF_VOLUME_LABEL,  IDC_REF_VOLUME,       IDC_REF_PAGES_LABEL,   IDC_REF_PAGES,
    IDC_REF_PUBLISHER_LABEL, IDC_REF_PUBLISHER,  IDC_REF_EDITORS_LABEL, IDC_REF_EDITORS,
    IDC_REF_CITY_LABEL,    IDC_REF_CITY,         IDC_REF_KEYWORDS_LABEL, IDC_REF_KEYWORDS,
    IDOK,                  IDC_REF_OK_AND_NEW,   IDCANCEL,              IDC_REF_PREVIOUS,
    IDC_REF_NEXT,
};

Anchor AnchorOf(int id)
{
    if (id == IDC_REF_ABSTRACT)
        return Anchor::kStretchBoth;
    if (id == IDC_REF_TITLE)
        return Anchor::kStretchWidth;
    return std::find(std::begin(kRightAnchored), std::end(kRightAnchored), id) !=
                   std::end(kRightAnchored)
               ? Anchor::kRight
               : Anchor::kFixed;
}

// Moves the controls for a virtual client area of `width` x `height`, scrolled.
void PlaceControls(const EditorLayout& layout, int width, int height)
{
    HDWP batch = BeginDeferWindowPos(static_cast<int>(layout.controls.size()));
    for (const PlacedControl& control : layout.controls) {
        const RECT& r = control.rect;
        const int growX = width - layout.minimum.cx;
        const int growY = height - layout.minimum.cy;
        int x = r.left;
        int w = r.right - r.left;
        int h = r.bottom - r.top;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        switch (control.anchor) {
        case Anchor::kRight: x += growX; flags |= SWP_NOSIZE; break;
        case Anchor::kStretchBoth: h += growY; w += growX; break;
        case Anchor::kStretchWidth: w += growX; break;
        case Anchor::kFixed: flags |= SWP_NOSIZE; break;
        }
        x -= layout.scroll.x;
        const int y = r.top - layout.scroll.y;
        if (batch)
            batch = DeferWindowPos(batch, control.window, nullptr, x, y, w, h, flags);
        else
            SetWindowPos(control.window, nullptr, x, y, w, h, flags);
    }
    if (batch)
        EndDeferWindowPos(batch);
}

// A scroll bar over `whole` pixels of which `shown` are visible; the platform hides it when
// everything is visible.
void SetBar(HWND dialog, int bar, int whole, int shown, int position)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = whole - 1;
    info.nPage = static_cast<UINT>(std::max(shown, 0));
    info.nPos = position;
    SetScrollInfo(dialog, bar, &info, TRUE);
}

// Where the view may scroll to when the client area shows `shown` of `whole` pixels.
int ClampScroll(int position, int whole, int shown)
{
    return std::max(0, std::min(position, whole - shown));
}

}  // namespace

void MeasureEditorTemplate(HWND dialog, EditorLayout& layout)
{
    RECT client;
    GetClientRect(dialog, &client);
    // The template's scroll bars take room from the client area the controls were laid out in.
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    layout.minimum.cx = client.right + ((style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    layout.minimum.cy = client.bottom + ((style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    layout.controls.clear();
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        PlacedControl control;
        control.window = child;
        GetWindowRect(child, &control.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control.rect), 2);
        control.anchor = AnchorOf(GetDlgCtrlID(child));
        layout.controls.push_back(control);
    }
}

void ApplyEditorPlacement(HWND dialog)
{
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const AppSettings defaults;
    int width = g_settings.editorWidth;
    int height = g_settings.editorHeight;
    if (width < GetSystemMetrics(SM_CXMINTRACK) || height < GetSystemMetrics(SM_CYMINTRACK)) {
        width = defaults.editorWidth;
        height = defaults.editorHeight;
    }
    // The whole window on the screen: as large as the work area at most, and inside it.
    width = std::min<int>(width, area.right - area.left);
    height = std::min<int>(height, area.bottom - area.top);
    const int x = std::max<int>(area.left, std::min<int>(g_settings.editorX, area.right - width));
    const int y = std::max<int>(area.top, std::min<int>(g_settings.editorY, area.bottom - height));
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(dialog, g_settings.editorMaximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void SaveEditorPlacement(HWND dialog)
{
    if (IsIconic(dialog))
        return;
    g_settings.editorMaximised = IsZoomed(dialog) ? 1 : 0;
    if (g_settings.editorMaximised)
        return;
    RECT r;
    GetWindowRect(dialog, &r);
    g_settings.editorX = r.left;
    g_settings.editorY = r.top;
    g_settings.editorWidth = r.right - r.left;
    g_settings.editorHeight = r.bottom - r.top;
}

void LayOutEditor(HWND dialog, EditorLayout& layout)
{
    if (layout.busy || layout.controls.empty())
        return;
    layout.busy = true;
    RECT client;
    GetClientRect(dialog, &client);
    // Showing or hiding a bar changes the client area, which may call for the other bar.
    for (int pass = 0; pass < 3; ++pass) {
        layout.scroll.x = ClampScroll(layout.scroll.x, layout.minimum.cx, client.right);
        layout.scroll.y = ClampScroll(layout.scroll.y, layout.minimum.cy, client.bottom);
        SetBar(dialog, SB_HORZ, layout.minimum.cx, client.right, layout.scroll.x);
        SetBar(dialog, SB_VERT, layout.minimum.cy, client.bottom, layout.scroll.y);
        RECT after;
        GetClientRect(dialog, &after);
        if (EqualRect(&after, &client))
            break;
        client = after;
    }
    PlaceControls(layout, std::max<int>(client.right, layout.minimum.cx),
                  std::max<int>(client.bottom, layout.minimum.cy));
    layout.busy = false;
}

void ScrollEditor(HWND dialog, EditorLayout& layout, int bar, int code)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(dialog, bar, &info))
        return;
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP: position -= kScrollLine; break;
    case SB_LINEDOWN: position += kScrollLine; break;
    case SB_PAGEUP: position -= kScrollPage; break;
    case SB_PAGEDOWN: position += kScrollPage; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
    }
    position = ClampScroll(position, info.nMax + 1, static_cast<int>(info.nPage));
    (bar == SB_HORZ ? layout.scroll.x : layout.scroll.y) = position;
    SetScrollPos(dialog, bar, position, TRUE);
    LayOutEditor(dialog, layout);
}
