#include "print/page_layout.h"

#include <cstdio>
#include <cstring>
#include <string>

PageGeometry MakePageGeometry(int32_t lineHeight, int32_t pixelsWide, int32_t pixelsHigh,
                              int32_t millimetresWide)
{
    PageGeometry geometry;
    geometry.lineHeight = lineHeight > 0 ? lineHeight : 1;
    geometry.linesPerPage = pixelsHigh / geometry.lineHeight - 1;
    const int32_t pixelsPerMm = millimetresWide > 0 ? pixelsWide / millimetresWide : 0;
    geometry.leftMargin = 20 * pixelsPerMm;
    geometry.printWidth = pixelsWide - 35 * pixelsPerMm;
    return geometry;
}

bool RunGoesOn(PrintRun& run)
{
    return !run.failed && !run.surface->Cancelled();
}

namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// The title on line 1 and the page number on the last line, drawn as the page starts.
bool OpenPage(PrintRun& run)
{
    char pageText[64];
    std::snprintf(pageText, sizeof pageText, run.pageFormat, static_cast<unsigned>(run.page));
    if (!run.surface->BeginPage(pageText)) {
        run.failed = true;
        return false;
    }
    run.pageOpen = true;
    const PageGeometry& g = run.geometry;
    const int32_t centre = g.leftMargin + g.printWidth / 2;
    run.surface->DrawText(centre, g.linesPerPage * g.lineHeight, pageText, std::strlen(pageText),
                          true);
    run.surface->DrawText(centre, g.lineHeight, run.title, std::strlen(run.title), true);
    return true;
}

void ClosePage(PrintRun& run)
{
    run.pageOpen = false;
    if (!run.surface->EndPage())
        run.failed = true;
    ++run.page;
    run.line = kFirstTextLine;
}

void PrintLine(PrintRun& run, const char* text, size_t length)
{
    if (!run.pageOpen && !OpenPage(run))
        return;
    run.surface->DrawText(run.geometry.leftMargin, run.line * run.geometry.lineHeight, text,
                          length, false);
    if (++run.line > run.geometry.linesPerPage - 2)
        ClosePage(run);
}

// The longest start of text[start, length) narrower than `width`; at least one character, so
// that a word wider than the page still moves on.
size_t FittingPrefix(const char* shown, size_t start, size_t length, int32_t width,
                     PageSurface& surface)
{
    size_t low = 1;
    size_t high = length - start;
    while (low < high) {
        const size_t middle = low + (high - low + 1) / 2;
        if (surface.TextWidth(shown + start, middle) < width)
            low = middle;
        else
            high = middle - 1;
    }
    return start + low;
}

}  // namespace

LineSpan NextLine(const char* text, const char* shown, size_t length, size_t start,
                  int32_t printWidth, PageSurface& surface)
{
    if (text[start] == '\n')
        return {start, start + 1};
    bool anyFits = false;
    size_t lineEnd = start;
    size_t position = start;
    for (;;) {
        size_t wordEnd = position;
        while (wordEnd < length && !IsSeparator(text[wordEnd]))
            ++wordEnd;
        // A word fits when the line through it and the character after it is narrower than
        // the print width.
        const size_t measured = (wordEnd < length ? wordEnd + 1 : wordEnd) - start;
        if (surface.TextWidth(shown + start, measured) >= printWidth) {
            if (anyFits)
                return {lineEnd, lineEnd + 1};
            // Alone the word fits but not with the character after it: the separator
            // still ends the line.
            const size_t end = FittingPrefix(shown, start, wordEnd, printWidth, surface);
            return {end, end == wordEnd && wordEnd < length ? wordEnd + 1 : end};
        }
        anyFits = true;
        lineEnd = wordEnd;
        if (wordEnd >= length)
            return {wordEnd, wordEnd};
        if (text[wordEnd] == '\n' || wordEnd + 1 >= length)
            return {wordEnd, wordEnd + 1};
        position = wordEnd + 1;
    }
}

void PrintTextLines(PrintRun& run, const char* text, size_t length)
{
    std::string shown(text, length);
    for (char& c : shown) {
        if (c == '\r' || c == '\t')
            c = ' ';
    }
    size_t start = 0;
    while (start < length && RunGoesOn(run)) {
        const LineSpan span =
            NextLine(text, shown.data(), length, start, run.geometry.printWidth, *run.surface);
        PrintLine(run, shown.data() + start, span.end - start);
        start = span.next;
    }
}

void FinishRun(PrintRun& run)
{
    if (run.pageOpen) {
        ClosePage(run);
    } else if (run.page == 1 && RunGoesOn(run) && OpenPage(run)) {
        ClosePage(run);
    }
}

size_t TakeChunk(size_t first, size_t count, const FormatReferenceAt& format, char* buffer,
                 size_t& length)
{
    char* reference = buffer + kChunkSize;
    length = 0;
    size_t index = first;
    for (; index < count; ++index) {
        const size_t added = format(index, reference, kReferenceTextSize);
        if (length + added >= kChunkSize && index > first)
            break;
        const size_t kept = added < kChunkSize - 1 - length ? added : kChunkSize - 1 - length;
        std::memcpy(buffer + length, reference, kept);
        length += kept;
    }
    buffer[length] = '\0';
    return index;
}

void PrintReferenceChunks(PrintRun& run, size_t count, const FormatReferenceAt& format,
                          char* buffer)
{
    size_t next = 0;
    while (next < count && RunGoesOn(run)) {
        size_t length = 0;
        next = TakeChunk(next, count, format, buffer, length);
        PrintTextLines(run, buffer, length);
    }
    FinishRun(run);
}
