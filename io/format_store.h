// The user's bibliography formats in the settings: section "Formats", one value per format,
// named by the format's name and holding its format text on one line.
#ifndef CARTULAN_IO_FORMAT_STORE_H
#define CARTULAN_IO_FORMAT_STORE_H

#include <cstddef>
#include <string>
#include <vector>

constexpr char kFormatSection[] = "Formats";
// The longest name and text the settings give back: a longer one would read back as empty
// (or, for a name, not at all), so none is stored.
constexpr std::size_t kMaxFormatText = 254;
constexpr std::size_t kMaxFormatName = 254;
// All the names of the section are read at once into this many bytes.
constexpr int kFormatNameListSize = 16384;

enum FormatStoreResult {
    kFormatStored,
    kFormatEmpty,          // an empty text (or name) stores nothing
    kFormatLineBreak,      // a format is one line: line breaks are written as \n
    kFormatTooLong,
    kFormatNameTooLong,
    kFormatWriteFailed,
};

// The names of the stored formats, in the store's order.
std::vector<std::string> ReadFormatNames();

// The stored text of `name` into `out` (`outSize` bytes); the empty text when there is none.
// Returns its length.
int ReadFormatText(const char* name, char* out, int outSize);

// What storing `text` under `name` would give, without storing anything.
FormatStoreResult CheckFormat(const char* name, const char* text);
// Stores `text` under `name`, replacing an earlier text, when CheckFormat allows it.
FormatStoreResult StoreFormat(const char* name, const char* text);

// Removes the format `name`. Returns cartio's result (0 on success).
int DeleteFormat(const char* name);

// Makes the stored format `name` the current one. False, leaving the current format as it
// was, when no text is stored under that name.
bool UseStoredFormat(const char* name);

#endif
