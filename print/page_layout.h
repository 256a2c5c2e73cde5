// How printed text is laid out: the page geometry taken from the device, the breaking of a
// text into lines that fit the print width, the pages with their heading, and the chunks in
// which a list of references is formatted. The device itself is behind PageSurface, so the
// layout holds no platform code.
//
// A page, with y = line number x lineHeight from the top of the printable area:
//   line 1                       the job title, centred on leftMargin + printWidth / 2
//   lines 3 .. linesPerPage - 2  text, from x = leftMargin
//   line linesPerPage            the page number, centred like the title
#ifndef CARTULAN_PRINT_PAGE_LAYOUT_H
#define CARTULAN_PRINT_PAGE_LAYOUT_H

#include <cstddef>
#include <cstdint>
#include <functional>

// The page device of one print job, measured in its own pixels in the print font.
class PageSurface {
public:
    virtual ~PageSurface() = default;
    virtual int32_t TextWidth(const char* text, size_t length) = 0;
    // Starts a page; `pageText` is the page number as its foot shows it. False on failure.
    virtual bool BeginPage(const char* pageText) = 0;
    // False when the device reports an error.
    virtual bool EndPage() = 0;
    virtual void DrawText(int32_t x, int32_t y, const char* text, size_t length,
                          bool centred) = 0;
    // Whether the user has cancelled the job.
    virtual bool Cancelled() = 0;
};

struct PageGeometry {
    int32_t lineHeight = 1;
    int32_t linesPerPage = 0;
    int32_t leftMargin = 0;
    int32_t printWidth = 0;
};

// The geometry of a device `pixelsWide` x `pixelsHigh` that is `millimetresWide` wide, for a
// font whose lines are `lineHeight` apart: a left margin of 20 mm and 15 mm free on the right.
PageGeometry MakePageGeometry(int32_t lineHeight, int32_t pixelsWide, int32_t pixelsHigh,
                              int32_t millimetresWide);

// The first text line of a page.
constexpr int32_t kFirstTextLine = 3;

// One job in progress. A page is started only when a line is about to go on it, so a text
// that fills its last page exactly ends there.
struct PrintRun {
    PageSurface* surface = nullptr;
    PageGeometry geometry;
    const char* title = "";
    const char* pageFormat = "%u";  // takes the page number (unsigned)
    int32_t line = kFirstTextLine;
    uint32_t page = 1;
    bool pageOpen = false;
    bool failed = false;             // the device refused a page
};

// Whether the job may print another line: no device error and not cancelled.
bool RunGoesOn(PrintRun& run);

// Prints `text` line by line. Words are separated by blanks, TABs and line feeds; a line takes
// as many whole words as fit in the print width; a line feed ends a line, one at the start of
// a line gives an empty line. A carriage return or a TAB prints as a blank. A word wider than
// the print width is broken where the width ends. Stops early once the run cannot go on.
void PrintTextLines(PrintRun& run, const char* text, size_t length);

// Ends the page in progress. A job that has printed nothing yet still gets its one page with
// the heading, unless it was stopped.
void FinishRun(PrintRun& run);

// Where one line of `text` begins and where the next one does, from `start`.
struct LineSpan {
    size_t end;   // the line is text[start, end)
    size_t next;  // the next line's start
};
// `shown` is the text as it prints (same length; CR and TAB as blanks), measured by `surface`.
LineSpan NextLine(const char* text, const char* shown, size_t length, size_t start,
                  int32_t printWidth, PageSurface& surface);

// Formats the reference at `index` of the list being printed into `out` and returns the
// length written.
using FormatReferenceAt = std::function<size_t(size_t index, char* out, size_t outSize)>;

// One chunk of formatted references, and the room in which one reference is formatted.
constexpr size_t kChunkSize = 32767;
constexpr size_t kReferenceTextSize = 16384;
// The buffer a job of references needs: the chunk, then the room of one reference.
constexpr size_t kPrintBufferSize = kChunkSize + kReferenceTextSize;

// Fills the chunk at the start of `buffer` (kPrintBufferSize bytes) with the formatted
// references from `first` on, as many as stay below kChunkSize together; the first is always
// taken, so every chunk moves on. Returns the index at which the next chunk starts; `length`
// receives the chunk's length.
size_t TakeChunk(size_t first, size_t count, const FormatReferenceAt& format, char* buffer,
                 size_t& length);

// Prints `count` references chunk by chunk, then finishes the run.
void PrintReferenceChunks(PrintRun& run, size_t count, const FormatReferenceAt& format,
                          char* buffer);

#endif
