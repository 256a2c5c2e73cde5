// The string table of the English library: every id loads with its exact text, and the table
// holds no others. The table below is written out on its own, with numeric ids, so that a
// transcription slip in the library shows up here.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "ids.h"
#include "loaded_module.h"

namespace {

using lang_test::LoadedModule;

struct ExpectedString {
    UINT id;
    const char* text;
};

const ExpectedString kStrings[] = {
    {1, "Title"},
    {2, "Keyword"},
    {3, "Title, Keywords and Abstract"},
    {4, "Author"},
    {5, "Journal/Book title/Report"},
    {6, "Date"},
    {7, "None"},
    {8, "Publisher/Issuer"},
    {21, "Title = "},
    {22, "Keyword = "},
    {23, "Title, keyword or abstract = "},
    {24, "Author = "},
    {25, "Journal = "},
    {26, "Date = "},
    {27, "All "},
    {500, "Create a new file"},
    {501, "Open an existing file in the default format"},
    {502, "Save current file in default format"},
    {503, "Save current file in default format with new name"},
    {504, "Quit this program"},
    {505, "Open file of a foreign format"},
    {506, "Close current file"},
    {507, "Add new reference"},
    {508, "Edit or view reference"},
    {509, "Delete selected reference(s)"},
    {510, "Create a new search window"},
    {511, "Display entire database"},
    {512, "Edit author and date fields"},
    {513, "Search on current search results"},
    {514, "Search entire database, adding to current display"},
    {515, "Add reference to bibliography"},
    {516, "Toggle bibliography formatted and list display mode"},
    {517, "Choose a format for the bibliography"},
    {518, "Copy old file to .BAK when saving?"},
    {519, "Change main list display format"},
    {520, "Change input defaults"},
    {521, "Options for searching files"},
    {522, "Choose language for Cartulan to use"},
    {523, "Drag-and-drop/deletion confirmation options"},
    {524, "Print references in current bibliography format"},
    {525, "Select font for printer"},
    {526, "Select font for database windows"},
    {527, "Formatting this bibliography produces more than 32k of text.\n\nThe bibliography will be truncated at this length.\nThis is due to a limitation in Windows 3.1, sorry!"},
    {528, "How to use this program"},
    {529, "How to use Windows on-line help"},
    {530, "About this program"},
    {531, "Current file has changed\nDo you want to save?"},
    {532, "No matching references were found"},
    {533, "A valid search string is required"},
    {534, "Cannot open data file"},
    {535, "Insufficient memory"},
    {537, "Unknown field identifier encountered\nThis field will be ignored"},
    {538, "Selected references will be deleted permanently.\nAre you sure?"},
    {541, "This import filter has no options function"},
    {542, "Warning!"},
    {543, "Found %lu references satisfying:\n%s"},
    {545, "Saved %lu references"},
    {546, "Save file with a different format"},
    {547, "and "},
    {548, "Searching..."},
    {549, "Untitled"},
    {552, "Loaded %lu references"},
    {555, "Sorting... %u%%"},
    {556, "You cannot sort by the same field twice!"},
    {557, "Search Results"},
    {558, "Confirm mouse drag action?"},
    {559, "%s:%lu"},
    {560, "Unable to start print job"},
    {561, "Insufficient memory to print"},
    {562, "Page %u  "},
    {563, "Could not allocate %u bytes of memory.\n\nTry closing applications to free memory.\n\nChoose \"Retry\" to retry this allocation.\n\nChoose \"Cancel\" to abandon it (data may be lost)."},
    {564, "Family name separator must not be whitespace"},
    {565, "Automatically display all references when a file is opened"},
    {566, "Choose colour to mark references in the bibliography"},
    {567, "Bibliography"},
    {568, "Define how references are sorted"},
    {569, "Select all references in current window"},
    {570, "Ascending"},
    {571, "Descending"},
    {572, "Narrow Search..."},
    {573, "Expand Search..."},
    {574, "&Journal:"},
    {575, "&Book title:"},
    {576, "&Report, thesis etc:"},
    {577, "Searchable"},
    {578, "Choose format to export..."},
    {579, "Maximum number of open files exceeded!"},
    {580, "Choose default file format to use"},
    {581, "This reference has been modified.\nDo you want to keep your changes?"},
    {584, "Add a keyword to all selected references"},
    {585, "Scanned %lu references"},
    {586, "Scanning..."},
    {587, "Change font used in edit windows"},
    {588, "A format with this name already exists!"},
    {589, "There is a line break in this format.\nThese are not allowed.  Use \\n instead."},
    {610, "This window shows only the references that a narrowing search kept from its file.\nSaving replaces the file with these references alone: the others in it are lost.\n\nSave anyway?"},
    {611, "This window has changed, and it shows only the references that a narrowing search kept from its file.\nSaving replaces the file with these references alone: the others in it are lost.\n\nDo you want to save?"},
};

constexpr int kStringBufferSize = 4096;

std::string LoadText(HMODULE module, UINT id, int& length)
{
    char buffer[kStringBufferSize] = {};
    length = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

BOOL CALLBACK CollectBlock(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param)
{
    auto* found = reinterpret_cast<std::map<UINT, std::string>*>(param);
    UINT block = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
        int length = 0;
        std::string text = LoadText(module, id, length);
        if (length > 0)
            (*found)[id] = text;
    }
    return TRUE;
}

// Every string of the library, by id, read block by block (a block holds 16 ids).
std::map<UINT, std::string> AllStrings(HMODULE module)
{
    std::map<UINT, std::string> strings;
    EnumResourceNamesA(module, reinterpret_cast<LPCSTR>(RT_STRING), CollectBlock,
                       reinterpret_cast<LONG_PTR>(&strings));
    return strings;
}

class StringTable : public ::testing::Test {
protected:
    LoadedModule library_{lang_test::EnglishLibraryPath()};
};

TEST_F(StringTable, EveryStringLoadsWithItsExactText)
{
    ASSERT_TRUE(library_);
    for (const ExpectedString& expected : kStrings) {
        SCOPED_TRACE(expected.id);
        int length = 0;
        std::string text = LoadText(library_.get(), expected.id, length);
        EXPECT_EQ(text, expected.text);
        EXPECT_EQ(length, static_cast<int>(std::string(expected.text).size()));
    }
}

TEST_F(StringTable, HoldsNoOtherStrings)
{
    ASSERT_TRUE(library_);
    std::map<UINT, std::string> expected;
    for (const ExpectedString& string : kStrings)
        expected[string.id] = string.text;
    EXPECT_EQ(AllStrings(library_.get()), expected);
    EXPECT_EQ(expected.size(), 97u);
}

// A missing id loads as an empty text, which the status bar and tooltips then show.
TEST_F(StringTable, MissingIdsLoadAsEmptyTexts)
{
    ASSERT_TRUE(library_);
    for (UINT id : {0u, 9u, 20u, 28u, 499u, 536u, 539u, 540u, 544u, 550u, 582u, 583u, 590u,
                    700u, 998u, 65535u}) {
        SCOPED_TRACE(id);
        int length = -1;
        EXPECT_EQ(LoadText(library_.get(), id, length), "");
        EXPECT_EQ(length, 0);
    }
}

// The program loads command help by the command's id and messages by their names in ids.h.
TEST_F(StringTable, NamedIdsLoadTheirTexts)
{
    ASSERT_TRUE(library_);
    struct Named {
        UINT id;
        const char* text;
    };
    const Named named[] = {
        {CMD_FILE_NEW, "Create a new file"},
        {CMD_OPT_FONT_EDIT, "Change font used in edit windows"},
        {IDS_NO_MATCHES, "No matching references were found"},
        {IDS_WARNING, "Warning!"},
        {IDS_CONJUNCTION, "and "},
        {IDS_UNTITLED, "Untitled"},
        {IDS_STATUS_LINE, "%s:%lu"},
        {IDS_SEARCHABLE, "Searchable"},
        {IDS_FIELD_PUBLISHER, "Publisher/Issuer"},
        {IDS_DESC_ALL, "All "},
        {IDS_FORMAT_LINE_BREAK, "There is a line break in this format.\nThese are not allowed.  Use \\n instead."},
    };
    for (const Named& string : named) {
        SCOPED_TRACE(string.id);
        int length = 0;
        EXPECT_EQ(LoadText(library_.get(), string.id, length), string.text);
    }
}

// Texts that are formats keep their conversions, and line breaks are single line feeds.
TEST_F(StringTable, FormatsAndLineBreaksArePlainCharacters)
{
    ASSERT_TRUE(library_);
    int length = 0;
    std::string sorting = LoadText(library_.get(), IDS_SORTING_PROGRESS, length);
    char formatted[64] = {};
    wsprintfA(formatted, sorting.c_str(), 31u);
    EXPECT_STREQ(formatted, "Sorting... 31%");

    std::string found = LoadText(library_.get(), IDS_FOUND_REFERENCES, length);
    EXPECT_EQ(found.find('\r'), std::string::npos);
    EXPECT_EQ(found.find('\n'), found.find("references satisfying:") + 22);

    std::string lineBreak = LoadText(library_.get(), IDS_FORMAT_LINE_BREAK, length);
    EXPECT_NE(lineBreak.find("Use \\n instead."), std::string::npos);
    EXPECT_EQ(std::count(lineBreak.begin(), lineBreak.end(), '\n'), 1);
}

}  // namespace
