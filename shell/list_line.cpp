#include "list_line.h"

#include <cstring>

#include "../lang/ids.h"
#include "database_view.h"
#include "store/name_summary.h"
#include "io/app_settings.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/list_flags.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_state.h"

namespace {

constexpr char kEllipsis[] = "...";
constexpr int kEllipsisLength = 3;
// Below this line height there is no room for the glyphs.
constexpr int kGlyphMinimumHeight = 17;

bool InBibliography(const Reference& reference)
{
    const Database* bibliography = g_store.bibliography;
    return bibliography && bibliography->references &&
           bibliography->references->indexOf(&reference) >= 0;
}

// Shortens the names part (the text before the first TAB) of `line` to `limit` pixels: the
// longest prefix that fits together with "...", found with one measurement of the prefixes.
// Returns the text to draw, in `out` when it had to be shortened.
const char* ShortenNames(HDC dc, const char* line, int limit, char* out, size_t outSize)
{
    const char* tab = std::strchr(line, '\t');
    int namesLength = tab ? static_cast<int>(tab - line) : static_cast<int>(std::strlen(line));
    SIZE size;
    GetTextExtentPoint32A(dc, line, namesLength, &size);
    if (size.cx <= limit)
        return line;
    GetTextExtentPoint32A(dc, kEllipsis, kEllipsisLength, &size);
    int fit = 0;
    if (limit - size.cx > 0)
        GetTextExtentExPointA(dc, line, namesLength, limit - size.cx, &fit, nullptr, &size);
    if (fit >= namesLength)
        fit = namesLength - 1;
    size_t rest = std::strlen(line + namesLength);
    if (static_cast<size_t>(fit) + kEllipsisLength + rest + 1 > outSize)
        return line;
    std::memcpy(out, line, static_cast<size_t>(fit));
    std::memcpy(out + fit, kEllipsis, kEllipsisLength);
    std::memcpy(out + fit + kEllipsisLength, line + namesLength, rest + 1);
    return out;
}

// The glyphs are copied from one memory device context kept for the program's run.
HDC GlyphSource()
{
    static HDC source = CreateCompatibleDC(nullptr);
    return source;
}

void DrawGlyph(HDC dc, const RECT& rc, const Reference& reference, bool selected)
{
    int type = reference.sourceType >= 0 && reference.sourceType <= 2 ? reference.sourceType : 0;
    HBITMAP glyph = g_shell.glyphs[2 * type + (selected ? 1 : 0)];
    if (!glyph)
        return;
    HDC source = GlyphSource();
    HGDIOBJ old = SelectObject(source, glyph);
    int top = rc.top + (rc.bottom - rc.top) / 2 - 7;
    BitBlt(dc, rc.left, top, GLYPH_WIDTH, GLYPH_HEIGHT, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
}

// With titles, the list can be scrolled as far as the widest line drawn so far.
void GrowHorizontalExtent(DatabaseView& view, HDC dc, const char* rest, int restLength)
{
    int tabStop = view.database->authorColumnPixels;
    DWORD size = GetTabbedTextExtentA(dc, rest, restLength, 1, &tabStop);
    int width = tabStop + LOWORD(size);
    if (width > view.horizontalExtent) {
        view.horizontalExtent = width;
        SendMessageA(view.content, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
    }
}

// Writes the part of the line from its TAB on at the author column's edge, as tab expansion
// with one tab stop there would.
void DrawRest(HDC dc, const RECT& rc, int tabStop, const char* rest, int length)
{
    if (std::memchr(rest, '\t', static_cast<size_t>(length)))
        TabbedTextOutA(dc, rc.left + tabStop, rc.top + 1, rest, length, 1, &tabStop, rc.left);
    else
        ExtTextOutA(dc, rc.left + tabStop, rc.top + 1, 0, nullptr, rest, length, nullptr);
}

// A glyph lives in a DIB section: drawing it into a line then costs a copy in memory rather
// than a trip to the display server for every line.
HBITMAP NewGlyphBitmap(HDC screen)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = GLYPH_WIDTH;
    info.bmiHeader.biHeight = GLYPH_HEIGHT;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

void MeasureListFont(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SIZE date;
    GetTextExtentPoint32A(dc, "(2999)", 6, &date);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    g_shell.metrics.itemHeight = metrics.tmHeight + metrics.tmExternalLeading + 1;
    g_shell.metrics.avgCharWidth = metrics.tmAveCharWidth;
    g_shell.metrics.dateColumnWidth = date.cx + 2;
}

int ListColumnWidth(const Database& database)
{
    return (database.authorColumnChars + 1) * g_shell.metrics.avgCharWidth +
           g_shell.metrics.dateColumnWidth;
}

void DrawListLine(DatabaseView& view, const DRAWITEMSTRUCT& item)
{
    const Database* database = view.database;
    if (!database || !database->references || item.itemID == static_cast<UINT>(-1) ||
        static_cast<int32_t>(item.itemID) >= database->references->count())
        return;
    HDC dc = item.hDC;
    const RECT& rc = item.rcItem;
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(dc, &rc);
        return;
    }
    ReferenceList& references = *database->references;
    const Reference& reference = *references.referenceAt(static_cast<int32_t>(item.itemID));
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (InBibliography(reference))
        text = g_settings.bibColour;
    HGDIOBJ oldFont = SelectObject(dc, g_shell.listFont.font);
    COLORREF oldColour = SetTextColor(dc, text);
    COLORREF oldBack = SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int oldMode = SetBkMode(dc, OPAQUE);

    char* summary = references.buffer(0);
    uint32_t flags = (database->listFlags & (kListNamesMask | kListWithTitle)) | kSummaryYearOnly;
    formatNameSummary(reference, flags, summary, ReferenceList::kBufferSize);
    const bool pictures = g_shell.metrics.itemHeight >= kGlyphMinimumHeight;
    int limit = database->authorColumnPixels - (pictures ? 40 : 10);
    const char* line = ShortenNames(dc, summary, limit, references.buffer(1),
                                    ReferenceList::kBufferSize);
    const char* tab = std::strchr(line, '\t');
    int namesLength = tab ? static_cast<int>(tab - line) : static_cast<int>(std::strlen(line));

    // One call fills the line's background and writes the names beside the glyph's place.
    ExtTextOutA(dc, rc.left + (pictures ? GLYPH_WIDTH : 4), rc.top + 1, ETO_OPAQUE, &rc, line,
                namesLength, nullptr);
    if (pictures)
        DrawGlyph(dc, rc, reference, selected);
    if (tab) {
        int restLength = static_cast<int>(std::strlen(tab + 1));
        if (database->listFlags & kListWithTitle)
            GrowHorizontalExtent(view, dc, tab + 1, restLength);
        DrawRest(dc, rc, database->authorColumnPixels, tab + 1, restLength);
    }

    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &rc);
}

void BuildReferenceGlyphs()
{
    DeleteReferenceGlyphs();
    struct Picture {
        const char* image;
        const char* mask;
    };
    const Picture pictures[] = {{BMP_ARTICLE, BMP_ARTICLE_MASK}, {BMP_BOOK, BMP_BOOK_MASK},
                                {BMP_REPORT, BMP_REPORT_MASK}};
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    RECT all = {0, 0, GLYPH_WIDTH, GLYPH_HEIGHT};
    for (int type = 0; type < 3; ++type) {
        HBITMAP image = LoadBitmapA(g_shell.instance, pictures[type].image);
        HBITMAP mask = LoadBitmapA(g_shell.instance, pictures[type].mask);
        for (int s = 0; s < 2; ++s) {
            HBITMAP glyph = NewGlyphBitmap(screen);
            HGDIOBJ oldTarget = SelectObject(target, glyph);
            SetBkColor(target, GetSysColor(s ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            ExtTextOutA(target, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
            HGDIOBJ oldSource = SelectObject(source, mask);
            BitBlt(target, 0, 0, GLYPH_WIDTH, GLYPH_HEIGHT, source, 0, 0, SRCAND);
            SelectObject(source, image);
            BitBlt(target, 0, 0, GLYPH_WIDTH, GLYPH_HEIGHT, source, 0, 0, SRCPAINT);
            SelectObject(source, oldSource);
            SelectObject(target, oldTarget);
            g_shell.glyphs[2 * type + s] = glyph;
        }
        DeleteObject(image);
        DeleteObject(mask);
    }
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
}

void DeleteReferenceGlyphs()
{
    for (HBITMAP& glyph : g_shell.glyphs) {
        if (glyph)
            DeleteObject(glyph);
        glyph = nullptr;
    }
}
