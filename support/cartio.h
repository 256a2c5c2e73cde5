/* cartio: the support library shared by the program and every filter, loaded once per process.
 * It keeps the settings (sections of named string values) and reads and writes text files
 * through a buffered LineFile. Plain C exports with undecorated names, all cdecl. */
#ifndef CARTULAN_SUPPORT_CARTIO_H
#define CARTULAN_SUPPORT_CARTIO_H

#include <stdarg.h>
#include <stdint.h>

#if defined(_WIN32)
#define CARTIO_CALL __cdecl
#define CARTIO_API
#define CARTIO_PRINTF(formatIndex) __attribute__((format(gnu_printf, formatIndex, 0)))
#else
#define CARTIO_CALL
#define CARTIO_API __attribute__((visibility("default")))
#define CARTIO_PRINTF(formatIndex) __attribute__((format(printf, formatIndex, 0)))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Configuration store ----------------------------------------------------------------
 * A section is a key below "Software\NWPL\Cartulan" of the current user (on Windows) or a
 * section of the per-user settings file (elsewhere: $CARTULAN_CONFIG, else
 * $XDG_CONFIG_HOME/cartulan/settings or ~/.config/cartulan/settings). Values are strings;
 * integers are stored as decimal text. Reads never fail: they give the default. Writes return
 * 0 or the platform's error code, and -1 when the library refuses the call itself (a null or
 * empty section, a null key, no INI path set). Nothing is cached: every call goes to the store.
 *
 * The functions ending in 16 always use the INI file named by SetINIFilePath; with no path set
 * they read defaults and write nothing. */

/* The longest text GetConfigStr delivers from the per-user store: longer ones read as the
 * default. */
enum { kConfigMaxText = 254 };

CARTIO_API int CARTIO_CALL GetConfigInt(const char* section, const char* key, int defaultValue);
/* Delivers the value of key into buffer (size bytes), or the default when the value is missing
 * or does not fit; returns the length delivered. With a null key: delivers the section's value
 * names, each ended by a zero, the list ended by an empty name, and returns how many there are
 * (0, with the default delivered, when there are none). */
CARTIO_API int CARTIO_CALL GetConfigStr(char* buffer, int size, const char* section,
                                        const char* key, const char* defaultText);
CARTIO_API int CARTIO_CALL SetConfigInt(const char* section, const char* key, int value);
/* A null text deletes the value. */
CARTIO_API int CARTIO_CALL SetConfigStr(const char* section, const char* key, const char* text);
/* Deletes the section with every value in it and every section below it ("section\sub"). */
CARTIO_API int CARTIO_CALL DeleteConfigTree(const char* section);

CARTIO_API int CARTIO_CALL GetConfigInt16(const char* section, const char* key, int defaultValue);
/* INI form: returns the number of characters delivered (with a null key, the names list
 * without its final zero). */
CARTIO_API int CARTIO_CALL GetConfigStr16(char* buffer, int size, const char* section,
                                          const char* key, const char* defaultText);
CARTIO_API int CARTIO_CALL SetConfigInt16(const char* section, const char* key, int value);
CARTIO_API int CARTIO_CALL SetConfigStr16(const char* section, const char* key, const char* text);
CARTIO_API int CARTIO_CALL DeleteConfigTree16(const char* section);

/* The INI path: at most 259 characters (longer paths are cut), empty when the library loads. */
CARTIO_API const char* CARTIO_CALL GetINIFilePath(void);
CARTIO_API void CARTIO_CALL SetINIFilePath(const char* path);

/* ---- Line files --------------------------------------------------------------------------
 * A LineFile is an open file read or written through a buffer that its owner provides and
 * that the line functions use directly. Its owner opens and closes it; in between, filters
 * read it with ReadLine or write it with WriteLine and vMMIOprintf. */

/* Modes of OpenLineFile; AdvanceLineFile takes the first two. The text modes are the ones
 * reference files are read and written with:
 * - kLineFileReadText skips a UTF-8 byte-order mark, reads zero bytes as blanks and finds out
 *   whether the text is UTF-8 (a mark, or nothing but valid multi-byte sequences from the
 *   first byte above 127 to the end of the buffer then loaded) or 8-bit. UTF-8 is converted
 *   to the Windows code page 1252 as it is read; a character that code page lacks becomes its
 *   escape "{U+XXXX}" (four to six upper-case hex digits) and is counted in `unmapped`; a
 *   byte that is no valid UTF-8 reads as its code page character. A UTF-16 file (a mark, or
 *   a zero byte in every second place) is not read: it sets kLineFileUtf16 and reads as
 *   empty.
 * - kLineFileWriteUtf8 writes code page 1252 text as UTF-8 and turns each such escape back
 *   into its character; kLineFileWriteUtf8Marked puts a byte-order mark first. */
enum {
    kLineFileRead = 0,
    kLineFileWrite = 1,
    kLineFileReadText = 2,
    kLineFileWriteUtf8 = 3,
    kLineFileWriteUtf8Marked = 4
};

/* flags */
enum {
    kLineFileDirty = 0x1,     /* the buffer holds bytes not yet written to the file */
    kLineFileWriting = 0x2,   /* opened for writing */
    kLineFileAtEnd = 0x4,     /* reading has met the end of the file (or a read error) */
    kLineFileText = 0x8,      /* opened with kLineFileReadText */
    kLineFileUtf8 = 0x10,     /* the text is UTF-8: found so while reading, or written so */
    kLineFileUtf8Mark = 0x20, /* the file starts with a UTF-8 byte-order mark */
    kLineFile8Bit = 0x40,     /* reading text: found to be 8-bit */
    kLineFileUtf16 = 0x80     /* reading text: the file is UTF-16, and reads as empty */
};

typedef struct LineFile {
    uint32_t flags;
    char* bufferStart;
    int32_t bufferSize;
    char* next;                /* next byte to read or to write */
    char* endRead;             /* one past the last valid byte (reading) */
    char* endWrite;            /* one past the last byte that may be written (writing) */
    void* handle;              /* the open file */
    int64_t bufferOffset;      /* file offset of the first buffer byte */
    int32_t error;             /* the first read or write error met, 0 while there is none */
    int32_t pendingEmptyLines; /* empty lines ended by a run of CRs, still to deliver */
    int32_t unmapped;          /* reading text: characters read as escapes so far */
} LineFile;

/* Opens path for reading, or creates it anew for writing, over buffer, whose storage holds
 * bufferSize + 1 bytes (WriteLine may store a zero behind the last buffer byte); bufferSize is
 * at least 2 (at least 4 for the text modes). Returns 0 or an error code (errno). */
CARTIO_API int CARTIO_CALL OpenLineFile(LineFile* file, const char* path, int mode, char* buffer,
                                        int32_t bufferSize);
/* Reading: refills the buffer so that it starts with the first unread byte, which is kept.
 * Writing: when the dirty flag is set, writes the buffer up to next and clears the flag; the
 * buffer then starts empty. Returns 0 or an error code; a write error is remembered, and once
 * one has happened nothing more is written. */
CARTIO_API int CARTIO_CALL AdvanceLineFile(LineFile* file, int mode);
/* Writes what is left when the dirty flag is set (the owner sets it after the last write it
 * wants kept), then closes the file. Returns 0 when every read or write of the file's life
 * succeeded, else the first error met. */
CARTIO_API int CARTIO_CALL CloseLineFile(LineFile* file);

/* Delivers the next line without its line end into line, a buffer of GetBufSz() bytes (of the
 * LineFile's buffer size while none is set). LF, CR LF and a lone CR end a line; CRs directly
 * before an LF belong to that line end. A line too long for the buffer comes in pieces. Sets
 * *endFlag to 1, leaving line untouched, when the file holds nothing more, else to 0. Returns
 * 1 when the line delivered ended with CR LF, else 0. */
CARTIO_API int CARTIO_CALL ReadLine(LineFile* file, char* line, int* endFlag);
/* ReadLine into a line buffer of lineSize bytes (at least 2). */
CARTIO_API int CARTIO_CALL ReadLineLimited(LineFile* file, char* line, int lineSize, int* endFlag);
/* ReadLineLimited that tells how much came: returns the number of bytes delivered, or -1
 * (line untouched) when the file holds nothing more. *goesOn, when goesOn is not null,
 * becomes 1 when the text is a piece of a line too long for the line buffer, whose rest
 * comes with the next calls, else 0. A line buffer of fewer than 11 bytes holds no escape:
 * reading text, it gets "?" for a character the code page lacks. */
CARTIO_API int CARTIO_CALL ReadLinePiece(LineFile* file, char* line, int lineSize, int* goesOn);
/* Appends text (no line end added), as UTF-8 when the file was opened for UTF-8. Returns 0,
 * -1 for a null text or file, or the error code of the write that failed. */
CARTIO_API int CARTIO_CALL WriteLine(LineFile* file, const char* text);
/* Formats into the library's format buffer and appends the result. Returns the number of
 * characters (0 writes nothing), or -1 when formatting or the write failed. Not reentrant. */
CARTIO_API int CARTIO_CALL vMMIOprintf(LineFile* file, const char* format, va_list args)
    CARTIO_PRINTF(2);

/* The process-wide size of the filters' line buffers: the first positive value set stays. */
CARTIO_API int CARTIO_CALL SetBufSz(int size);
CARTIO_API int CARTIO_CALL GetBufSz(void);

#ifdef __cplusplus
}
#endif

#endif
