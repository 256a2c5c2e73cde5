/* The exports of a filter plug-in, looked up by their plain names after the plug-in is loaded
 * (".FLT" libraries in the program's directory). LoadRef and SaveRef move one reference per
 * call through a FilterRecord; WhoAmI names the format; GetSpecs gives the file types for the
 * open and save dialogs; Opts, where a filter has it, shows its options.
 *
 * The owner is the platform's window handle, passed through as it is.
 *
 * Ownership: the record LoadRef returns, and its texts, belong to the filter and stay valid
 * until the next LoadRef or until the plug-in is unloaded. The record passed to SaveRef belongs
 * to the caller for the length of the call; the filter neither keeps nor frees its texts. */
#ifndef CARTULAN_IO_FILTER_EXPORTS_H
#define CARTULAN_IO_FILTER_EXPORTS_H

#include "cartio.h"
#include "io/filter_record.h"

#if defined(_WIN32)
#define FILTER_CALL __cdecl
#define FILTER_API
#else
#define FILTER_CALL
#define FILTER_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The export names, for the lookup. */
#define FILTER_LOAD_REF "LoadRef"
#define FILTER_SAVE_REF "SaveRef"
#define FILTER_WHO_AM_I "WhoAmI"
#define FILTER_GET_SPECS "GetSpecs"
#define FILTER_OPTS "Opts"

typedef FilterRecord* (FILTER_CALL* LoadRefProc)(void* owner, LineFile* file);
/* 0: go on; anything else stops the export. */
typedef int (FILTER_CALL* SaveRefProc)(void* owner, FilterRecord* record, LineFile* file);
/* The format's display name. */
typedef const char* (FILTER_CALL* WhoAmIProc)(void);
/* Pairs of zero-terminated texts, a description and a pattern ("*.REF"), ended by an empty
 * text; the text behind the first pattern's "*." is the default extension. */
typedef const char* (FILTER_CALL* GetSpecsProc)(void);
typedef int (FILTER_CALL* OptsProc)(void* owner);

/* Declared here for the filters that define them. */
FILTER_API FilterRecord* FILTER_CALL LoadRef(void* owner, LineFile* file);
FILTER_API int FILTER_CALL SaveRef(void* owner, FilterRecord* record, LineFile* file);
FILTER_API const char* FILTER_CALL WhoAmI(void);
FILTER_API const char* FILTER_CALL GetSpecs(void);
FILTER_API int FILTER_CALL Opts(void* owner);

#ifdef __cplusplus
}
#endif

#endif
