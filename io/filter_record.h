/* FilterRecord: one reference on its way through the filter plug-in interface, in either
 * direction. Plug-ins are built apart from the program, so the layout is fixed: packed, no
 * padding, the status and source type bytes first, then the twelve text pointers (each a
 * zero-terminated 8-bit ANSI text or null; multi-line texts separate lines with CR LF). The
 * 32-bit build gives the 50 bytes both sides rely on; a wider build keeps the order and the
 * packing with wider pointers. */
#ifndef CARTULAN_IO_FILTER_RECORD_H
#define CARTULAN_IO_FILTER_RECORD_H

#include <stddef.h>
#include <stdint.h>

/* status after LoadRef */
enum {
    kRecordDelivered = 0,      /* a reference; more may follow */
    kRecordDeliveredLast = 1,  /* a reference; the end of the file came while reading it */
    kRecordNone = 2            /* no reference: the end of the file came first */
};

/* sourceType: what `source` names */
enum {
    kRecordJournal = 0,
    kRecordBook = 1,
    kRecordReport = 2
};

#pragma pack(push, 1)
typedef struct FilterRecord {
    uint8_t status;
    uint8_t sourceType;
    char* authors;   /* one name per line */
    char* date;
    char* title;
    char* source;    /* journal, book title or report issuer, as sourceType says */
    char* volume;
    char* number;
    char* pages;
    char* abstract;  /* paragraphs separated by an empty line */
    char* keywords;  /* one keyword per line */
    char* publisher;
    char* city;
    char* editors;   /* one name per line */
} FilterRecord;
#pragma pack(pop)

#ifdef __cplusplus

/* The text fields by number, in record order (also the order of a Reference's fields). */
enum RecordText {
    kRecordAuthors,
    kRecordDate,
    kRecordTitle,
    kRecordSource,
    kRecordVolume,
    kRecordNumber,
    kRecordPages,
    kRecordAbstract,
    kRecordKeywords,
    kRecordPublisher,
    kRecordCity,
    kRecordEditors,
    kRecordTextCount
};

/* The texts by number. The fields of a packed record may be misaligned, so they are reached
 * by name, which the compiler reads and writes safely, never through pointers to them. */
inline char* GetRecordText(const FilterRecord& record, int field)
{
    switch (field) {
    case kRecordAuthors: return record.authors;
    case kRecordDate: return record.date;
    case kRecordTitle: return record.title;
    case kRecordSource: return record.source;
    case kRecordVolume: return record.volume;
    case kRecordNumber: return record.number;
    case kRecordPages: return record.pages;
    case kRecordAbstract: return record.abstract;
    case kRecordKeywords: return record.keywords;
    case kRecordPublisher: return record.publisher;
    case kRecordCity: return record.city;
    case kRecordEditors: return record.editors;
    default: return NULL;
    }
}

inline void SetRecordText(FilterRecord& record, int field, char* text)
{
    switch (field) {
    case kRecordAuthors: record.authors = text; break;
    case kRecordDate: record.date = text; break;
    case kRecordTitle: record.title = text; break;
    case kRecordSource: record.source = text; break;
    case kRecordVolume: record.volume = text; break;
    case kRecordNumber: record.number = text; break;
    case kRecordPages: record.pages = text; break;
    case kRecordAbstract: record.abstract = text; break;
    case kRecordKeywords: record.keywords = text; break;
    case kRecordPublisher: record.publisher = text; break;
    case kRecordCity: record.city = text; break;
    case kRecordEditors: record.editors = text; break;
    default: break;
    }
}

static_assert(sizeof(FilterRecord) == 2 + kRecordTextCount * sizeof(char*),
              "FilterRecord must be packed");
static_assert(offsetof(FilterRecord, authors) == 2 && offsetof(FilterRecord, editors)
                  == 2 + (kRecordTextCount - 1) * sizeof(char*),
              "FilterRecord fields out of order");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(FilterRecord) == 50, "the 32-bit FilterRecord is 50 bytes");
static_assert(offsetof(FilterRecord, date) == 6 && offsetof(FilterRecord, abstract) == 30
                  && offsetof(FilterRecord, editors) == 46,
              "the 32-bit FilterRecord offsets are fixed");
#endif

#endif /* __cplusplus */

#endif
