// The places settings live, as the exported configuration functions see them. Each platform
// provides both: the per-user store (the registry on Windows, a settings file elsewhere) and
// INI files. config_store.cpp builds the exported functions and their results on top.
#ifndef CARTULAN_SUPPORT_CONFIG_BACKEND_H
#define CARTULAN_SUPPORT_CONFIG_BACKEND_H

// True when the exported functions without 16 use the per-user store, false when they use the
// INI file; fixed for the life of the process.
bool UserStoreIsDefault();

// The integer of a stored text: leading white space, an optional sign, then decimal digits up
// to the first other character; 0 without digits; beyond the int range, its nearest end.
int ParseConfigInt(const char* text);
// Copies text (the empty text for null) cut to fit size bytes, size at least 1; returns the
// length copied.
int CopyCut(char* buffer, int size, const char* text);

// ---- Per-user store: sections of named string values ---------------------------------------
struct UserSection;  // an open section

// Null when the section does not exist or cannot be read. section is never null or empty.
UserSection* OpenUserSection(const char* section);
void CloseUserSection(UserSection* open);
// Copies the value of key into buffer (limit bytes, its zero included); false when there is no
// such value or it does not fit.
bool ReadUserValue(UserSection* open, const char* key, char* buffer, int limit);

enum class NameResult { kStored, kTooLong, kNoMore };
// The name of the value at index, in the store's order, into buffer (limit bytes).
NameResult UserValueName(UserSection* open, int index, char* buffer, int limit);

// Creates the section (and the sections above it) when missing, then stores text under key, or
// deletes the value when text is null. Returns 0 or the platform's error code.
int WriteUserValue(const char* section, const char* key, const char* text);
// Deletes the section with its values and every section below it. 0 or an error code.
int DeleteUserSection(const char* section);

// ---- INI files; path is never empty ---------------------------------------------------------
int ReadIniInt(const char* path, const char* section, const char* key, int defaultValue);
// The value, or the default when missing, cut to size - 1 characters; with a null key the
// section's key names, each ended by a zero, the list ended by an empty name. Returns the
// number of characters delivered, the list's final zero not counted.
int ReadIniString(const char* path, const char* section, const char* key,
                  const char* defaultText, char* buffer, int size);
// Writes text under key; a null text deletes the key, a null key the whole section. Returns 0
// or an error code.
int WriteIniString(const char* path, const char* section, const char* key, const char* text);

#endif
