// The dialog templates of the English library: every dialog the program creates, with its
// title, size, font and window features, and every control with its id, kind, text and place.
// The tables are written out on their own, with numeric ids, so that a slip in the templates
// or in ids.h shows up here.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "dialog_template.h"
#include "ids.h"
#include "loaded_module.h"

namespace {

using lang_test::ControlTemplate;
using lang_test::DialogTemplate;
using lang_test::LoadDialogTemplate;
using lang_test::LoadedModule;

enum Kind {
    kPush, kDefPush, kCheck, kRadio, kGroup, kTextLeft, kTextCentre, kTextRight, kFrameGrey,
    kFrameBlack, kEdit, kMultiEdit, kListBox, kDropDownList, kDropDown, kHScroll,
};

// Options of a control; each is checked both ways (present when listed, absent otherwise).
enum Option : unsigned {
    kReadOnly = 1, kWantReturn = 2, kVScroll = 4, kAutoHScroll = 8, kSorted = 16, kNotify = 32,
    kMultiSel = 64, kExtSel = 128,
};

// Window features beyond a pop-up with a caption and a modal frame.
enum Feature : unsigned {
    kShown = 1, kSysMenu = 2, kSizing = 4, kMaximise = 8, kVScrollBar = 16, kHScrollBar = 32,
};

enum Font { kSystemDialogFont, kSystem8, kSystem10 };

struct ExpectedControl {
    int id;
    Kind kind;
    unsigned options;
    const char* text;
    short x, y, cx, cy;
};

struct ExpectedDialog {
    const char* name;
    const char* title;  // null: none, the program sets it
    short cx, cy;
    Font font;
    unsigned features;
    const char* menu;
    std::vector<ExpectedControl> controls;
};

const std::vector<ExpectedDialog> kDialogs = {
    {"ABORT", "Cartulan Printing", 140, 80, kSystemDialogFont, 0, nullptr,
     {
      {2, kDefPush, 0, "Cancel", 47, 56, 44, 14},
      {IDC_STATIC, kTextCentre, 0, "Sending", 32, 15, 75, 8},
      {50, kTextCentre, 0, "", 11, 23, 117, 8},
      {IDC_STATIC, kTextCentre, 0, "to the printer", 25, 31, 88, 8},
      {IDC_STATIC, kFrameGrey, 0, "", 4, 8, 133, 40},
     }},
    {"ABOUT", "About...", 202, 100, kSystem8, 0, nullptr,
     {
      {1, kDefPush, 0, "OK", 9, 80, 92, 13},
      {764, kTextCentre, 0, "Cartulan 7.8", 25, 10, 60, 10},
      {IDC_STATIC, kFrameGrey, 0, "", 10, 7, 90, 16},
      {765, kTextLeft, 0, "", 104, 30, 95, 10},
      {766, kTextLeft, 0, "", 104, 40, 95, 10},
      {767, kTextLeft, 0, "", 104, 50, 95, 10},
     }},
    {"BIBFMT", "Bibliography format", 229, 169, kSystem8, 0, nullptr,
     {
      {IDC_STATIC, kTextLeft, 0, "Example:", 4, 56, 51, 8},
      {102, kMultiEdit, kReadOnly | kVScroll, "", 3, 65, 223, 82},
      {1, kDefPush, 0, "OK", 116, 151, 32, 15},
      {2, kPush, 0, "Cancel", 152, 151, 38, 15},
      {998, kPush, 0, "&Help", 194, 151, 32, 15},
      {101, kListBox, kSorted | kNotify, "", 4, 4, 180, 48},
      {701, kPush, 0, "&Edit...", 188, 4, 38, 13},
      {702, kPush, 0, "&New...", 188, 19, 38, 13},
      {703, kPush, 0, "&Delete", 188, 34, 38, 13},
     }},
    {"BIBNAME", "New Bibliography format", 218, 44, kSystemDialogFont, 0, nullptr,
     {
      {701, kEdit, kAutoHScroll, "", 6, 12, 208, 12},
      {1, kDefPush, 0, "OK", 131, 27, 38, 14},
      {2, kPush, 0, "Cancel", 172, 27, 42, 14},
      {IDC_STATIC, kTextLeft, 0, "What would you like to call this format?", 6, 2, 209, 8},
     }},
    {"CLEAN", "Please wait", 142, 26, kSystemDialogFont, kShown, nullptr,
     {
      {118, kTextCentre, 0, "Cleaning up memory...", 15, 8, 111, 8},
      {IDC_STATIC, kFrameGrey, 0, "", 7, 6, 129, 13},
     }},
    {"CONFIRM", "Confirmation Options", 168, 101, kSystemDialogFont, 0, nullptr,
     {
      {108, kRadio, 0, "&Never", 9, 15, 147, 10},
      {109, kRadio, 0, "&Multiple selections only", 9, 28, 147, 10},
      {110, kRadio, 0, "Al&ways", 9, 42, 147, 10},
      {111, kCheck, 0, "&Confirm on drag-and-drop", 3, 66, 156, 12},
      {1, kDefPush, 0, "OK", 93, 83, 32, 15},
      {2, kPush, 0, "Cancel", 127, 83, 38, 15},
      {IDC_STATIC, kGroup, 0, " Confirm on reference deletion:", 3, 3, 162, 59},
     }},
    {"DUPLICATE", "Duplicate reference", 211, 125, kSystemDialogFont, 0, nullptr,
     {
      {101, kPush, 0, "&Edit", 6, 92, 30, 14},
      {105, kPush, 0, "Edit &authors", 37, 92, 54, 14},
      {120, kPush, 0, "&Don't include", 92, 92, 57, 14},
      {998, kPush, 0, "&Help", 92, 107, 57, 14},
      {104, kMultiEdit, kReadOnly | kVScroll, "", 9, 5, 195, 54},
      {IDC_STATIC, kTextLeft, 0, "This reference already exists in the target database.  You can choose to edit it, replace the existing version, or not include it in the target database file.", 9, 62, 195, 27},
      {2, kPush, 0, "Abandon operation", 6, 107, 85, 14},
      {102, kPush, 0, "&Overwrite", 150, 92, 54, 14},
     }},
    {"EDITBIB", nullptr, 218, 88, kSystemDialogFont, 0, nullptr,
     {
      {701, kMultiEdit, kVScroll, "", 6, 14, 208, 52},
      {1, kPush, 0, "OK", 89, 70, 38, 14},
      {2, kPush, 0, "Cancel", 129, 70, 42, 14},
      {998, kPush, 0, "&Help", 173, 70, 42, 14},
      {IDC_STATIC, kTextLeft, 0, "Edit your bibliography format below", 6, 3, 209, 8},
     }},
    {"EDITREF", nullptr, 327, 223, kSystem10, kShown | kSysMenu | kSizing | kMaximise | kVScrollBar | kHScrollBar, "EDIT_REF",
     {
      {207, kTextRight, 0, "&Title:", 1, 4, 33, 9},
      {107, kMultiEdit, kVScroll, "", 36, 3, 273, 21},
      {108, kTextRight, 0, "", 57, 28, 69, 8},
      {103, kDropDown, kSorted, "", 127, 26, 182, 157},
      {204, kTextRight, 0, "&Vol:", 196, 42, 19, 8},
      {104, kEdit, kAutoHScroll, "", 218, 40, 38, 12},
      {211, kTextRight, 0, "&No:", 261, 42, 18, 8},
      {111, kEdit, kAutoHScroll, "", 282, 40, 27, 12},
      {205, kTextRight, 0, "&Pages:", 219, 56, 47, 8},
      {105, kEdit, kAutoHScroll, "", 269, 54, 40, 12},
      {206, kTextLeft, 0, "&Abstract:", 4, 31, 38, 8},
      {106, kMultiEdit, kWantReturn | kVScroll, "", 3, 41, 189, 172},
      {212, kTextRight, 0, "Publ&isher:", 196, 70, 37, 8},
      {112, kEdit, kAutoHScroll, "", 237, 68, 72, 12},
      {114, kTextLeft, 0, "E&ditors:", 196, 82, 25, 8},
      {115, kMultiEdit, kWantReturn | kVScroll, "", 225, 82, 84, 25},
      {213, kTextLeft, 0, "&City (of publ.)/address:", 196, 109, 112, 8},
      {113, kMultiEdit, kWantReturn | kVScroll, "", 194, 119, 115, 25},
      {209, kTextLeft, 0, "&Keywords:", 196, 145, 111, 8},
      {109, kMultiEdit, kWantReturn | kVScroll, "", 194, 155, 115, 32},
      {116, kPush, 0, "&<", 209, 189, 26, 12},
      {117, kPush, 0, "&>", 237, 189, 26, 12},
      {110, kPush, 0, "O&K && New", 209, 202, 54, 12},
      {1, kDefPush, 0, "OK", 265, 189, 44, 12},
      {2, kPush, 0, "Cancel", 265, 202, 44, 12},
     }},
    {"ETITLE", "Edit author(s), year and source", 208, 95, kSystemDialogFont, 0, nullptr,
     {
      {IDC_STATIC, kTextLeft, 0, "&Author(s):", 5, 2, 121, 8},
      {101, kMultiEdit, kWantReturn | kVScroll, "", 4, 12, 123, 79},
      {IDC_STATIC, kTextRight, 0, "&Year:", 132, 10, 27, 8},
      {102, kEdit, kAutoHScroll, "", 162, 8, 42, 12},
      {103, kGroup, 0, "&Source", 131, 23, 73, 49},
      {105, kRadio, 0, "in &Journal", 136, 35, 62, 10},
      {106, kRadio, 0, "in &Book", 136, 47, 64, 10},
      {107, kRadio, 0, "&report", 136, 59, 64, 10},
      {1, kDefPush, 0, "OK", 130, 77, 35, 14},
      {2, kPush, 0, "Cancel", 166, 77, 38, 14},
     }},
    {"IMPOPT", "Choose format to import...", 203, 73, kSystemDialogFont, 0, nullptr,
     {
      {101, kListBox, kNotify, "", 5, 5, 143, 65},
      {103, kPush, 0, "&Options...", 153, 5, 45, 16},
      {1, kDefPush, 0, "OK", 153, 35, 45, 16},
      {2, kPush, 0, "Cancel", 153, 53, 45, 16},
     }},
    {"INOPT", "Input options", 178, 81, kSystem10, 0, nullptr,
     {
      {IDC_STATIC, kGroup, 0, " Default source:", 3, 3, 171, 56},
      {105, kRadio, 0, "&Journal, or published periodical", 8, 18, 160, 10},
      {106, kRadio, 0, "&Book", 8, 30, 158, 10},
      {107, kRadio, 0, "&Report, thesis or other unpublished work", 8, 43, 159, 10},
      {IDC_STATIC, kTextLeft, 0, "&Default date:", 3, 66, 54, 8},
      {101, kEdit, 0, "", 60, 64, 30, 12},
      {1, kDefPush, 0, "OK", 96, 62, 39, 16},
      {2, kPush, 0, "Cancel", 136, 62, 39, 16},
     }},
    {"KEYWORDS", "Add keyword(s)", 242, 107, kSystemDialogFont, 0, nullptr,
     {
      {101, kListBox, kSorted | kMultiSel | kExtSel | kNotify, "", 3, 26, 93, 60},
      {1, kDefPush, 0, "Add to &reference", 4, 90, 87, 14},
      {106, kPush, 0, ">> &Edit >>", 99, 26, 48, 14},
      {102, kEdit, kAutoHScroll, "", 150, 27, 89, 11},
      {103, kPush, 0, "<<  &Add  <<", 99, 42, 48, 14},
      {105, kPush, 0, "&Delete", 99, 58, 48, 14},
      {107, kPush, 0, "&Save list", 99, 74, 87, 14},
      {104, kPush, 0, "Scan active &file", 99, 90, 87, 14},
      {998, kPush, 0, "&Help", 189, 74, 45, 14},
      {2, kPush, 0, "&Close", 189, 90, 45, 14},
      {IDC_STATIC, kTextLeft, 0, "Keywords selected in the list box below will be added to the selected references", 7, 7, 228, 18},
     }},
    {"LANGDLG", "Choose Language", 118, 64, kSystemDialogFont, 0, nullptr,
     {
      {101, kListBox, kNotify, "", 4, 20, 110, 25},
      {1, kDefPush, 0, "OK", 28, 47, 42, 14},
      {2, kPush, 0, "Cancel", 72, 47, 42, 14},
      {IDC_STATIC, kTextLeft, 0, "Available language DLLs:", 4, 6, 114, 8},
     }},
    {"LISTEDIT", nullptr, 203, 102, kSystemDialogFont, 0, nullptr,
     {
      {101, kListBox, kSorted | kNotify, "", 5, 5, 145, 72},
      {102, kEdit, kAutoHScroll, "", 5, 84, 146, 12},
      {103, kPush, 0, "&Change", 155, 83, 45, 14},
      {1, kDefPush, 0, "OK", 155, 4, 45, 14},
      {104, kPush, 0, "&Delete", 155, 48, 45, 14},
      {2, kPush, 0, "Cancel", 155, 20, 45, 14},
      {105, kPush, 0, "&Add", 155, 65, 45, 14},
     }},
    {"LISTOPT", "List Options", 211, 92, kSystemDialogFont, 0, nullptr,
     {
      {101, kCheck, 0, "Show &reference title", 8, 16, 81, 10},
      {IDC_STATIC, kTextLeft, 0, "Author column &width:", 9, 29, 79, 8},
      {105, kHScroll, 0, "", 8, 50, 80, 9},
      {102, kRadio, 0, "&All", 108, 19, 93, 10},
      {103, kRadio, 0, "&First only", 108, 32, 93, 10},
      {104, kRadio, 0, "&Two/One et al", 108, 45, 93, 10},
      {111, kCheck, 0, "Select &new items", 6, 75, 87, 10},
      {1, kDefPush, 0, "OK", 95, 74, 32, 15},
      {2, kPush, 0, "Cancel", 129, 74, 38, 15},
      {998, kPush, 0, "&Help", 169, 74, 39, 15},
      {IDC_STATIC, kGroup, 0, "Show authors:", 102, 4, 105, 60},
      {121, kTextCentre, 0, "", 38, 40, 16, 8},
      {IDC_STATIC, kGroup, 0, " Display format:", 4, 4, 88, 60},
     }},
    {"NAME", "Name sorting options", 144, 114, kSystemDialogFont, 0, nullptr,
     {
      {102, kRadio, 0, "Family &name", 9, 15, 126, 12},
      {103, kRadio, 0, "First &given name", 9, 27, 126, 12},
      {101, kCheck, 0, "Family name normally comes &last", 9, 58, 129, 12},
      {IDC_STATIC, kTextRight, 0, "Family name &followed by:", 9, 76, 110, 8},
      {100, kEdit, 0, "", 123, 75, 10, 12},
      {1, kDefPush, 0, "OK", 42, 97, 32, 14},
      {2, kPush, 0, "Cancel", 75, 97, 37, 14},
      {998, kPush, 0, "Help", 113, 97, 28, 14},
      {IDC_STATIC, kGroup, 0, "Family name", 3, 49, 138, 43},
      {IDC_STATIC, kGroup, 0, "Compare by:", 3, 3, 138, 43},
     }},
    {"NEWSRCH", "New search...", 194, 61, kSystemDialogFont, 0, nullptr,
     {
      {IDC_STATIC, kTextRight, 0, "Search &by:", 3, 4, 48, 8},
      {101, kDropDownList, 0, "", 53, 3, 138, 59},
      {IDC_STATIC, kTextRight, 0, "Search &for:", 3, 23, 48, 8},
      {102, kEdit, 0, "", 53, 22, 137, 12},
      {104, kCheck, 0, "Logical &NOT", 3, 36, 111, 12},
      {103, kCheck, 0, "Case &sensitive", 3, 48, 111, 10},
      {1, kDefPush, 0, "OK", 119, 43, 34, 15},
      {2, kPush, 0, "Cancel", 154, 43, 36, 15},
     }},
    {"OPTSORT", "Sort References", 223, 86, kSystemDialogFont, 0, nullptr,
     {
      {IDC_STATIC, kTextRight, 0, "&First", 3, 8, 34, 8},
      {101, kDropDownList, 0, "", 40, 7, 99, 47},
      {104, kDropDownList, 0, "", 142, 7, 78, 39},
      {IDC_STATIC, kTextRight, 0, "&Second", 3, 29, 34, 8},
      {102, kDropDownList, 0, "", 40, 27, 99, 51},
      {105, kDropDownList, 0, "", 142, 27, 78, 37},
      {IDC_STATIC, kTextRight, 0, "&Third", 3, 50, 34, 8},
      {103, kDropDownList, 0, "", 40, 48, 99, 51},
      {106, kDropDownList, 0, "", 142, 48, 78, 47},
      {107, kPush, 0, "&Names...", 5, 69, 51, 14},
      {1, kDefPush, 0, "OK", 86, 69, 44, 14},
      {2, kPush, 0, "Cancel", 131, 69, 44, 14},
      {998, kPush, 0, "&Help", 176, 69, 44, 14},
      {IDC_STATIC, kFrameGrey, 0, "", 3, 3, 217, 63},
     }},
    {"SRCHOPT", "Search Options", 231, 42, kSystemDialogFont, 0, nullptr,
     {
      {102, kCheck, 0, "&Searches case sensitive by default", 12, 8, 162, 12},
      {103, kCheck, 0, "&Windows searchable by default", 12, 21, 162, 12},
      {1, kDefPush, 0, "OK", 185, 6, 42, 14},
      {2, kPush, 0, "Cancel", 185, 22, 42, 14},
      {IDC_STATIC, kFrameBlack, 0, "", 6, 5, 174, 32},
     }},
};

// --- What each kind of control is ------------------------------------------------------------

const char* ClassOfKind(Kind kind)
{
    switch (kind) {
    case kPush: case kDefPush: case kCheck: case kRadio: case kGroup:
        return "Button";
    case kTextLeft: case kTextCentre: case kTextRight: case kFrameGrey: case kFrameBlack:
        return "Static";
    case kEdit: case kMultiEdit:
        return "Edit";
    case kListBox:
        return "ListBox";
    case kDropDownList: case kDropDown:
        return "ComboBox";
    case kHScroll:
        return "ScrollBar";
    }
    return "";
}

// The type bits of the style that make the kind, and the mask they sit in.
void TypeOfKind(Kind kind, DWORD& type, DWORD& mask)
{
    mask = 0;
    type = 0;
    switch (kind) {
    case kPush: type = BS_PUSHBUTTON; mask = BS_TYPEMASK; break;
    case kDefPush: type = BS_DEFPUSHBUTTON; mask = BS_TYPEMASK; break;
    case kCheck: type = BS_AUTOCHECKBOX; mask = BS_TYPEMASK; break;
    case kRadio: type = BS_AUTORADIOBUTTON; mask = BS_TYPEMASK; break;
    case kGroup: type = BS_GROUPBOX; mask = BS_TYPEMASK; break;
    case kTextLeft: type = SS_LEFT; mask = SS_TYPEMASK; break;
    case kTextCentre: type = SS_CENTER; mask = SS_TYPEMASK; break;
    case kTextRight: type = SS_RIGHT; mask = SS_TYPEMASK; break;
    case kFrameGrey: type = SS_GRAYFRAME; mask = SS_TYPEMASK; break;
    case kFrameBlack: type = SS_BLACKFRAME; mask = SS_TYPEMASK; break;
    case kEdit: type = 0; mask = ES_MULTILINE; break;
    case kMultiEdit: type = ES_MULTILINE; mask = ES_MULTILINE; break;
    case kListBox: break;
    case kDropDownList: type = CBS_DROPDOWNLIST; mask = 3; break;
    case kDropDown: type = CBS_DROPDOWN; mask = 3; break;
    case kHScroll: type = SBS_HORZ; mask = SBS_VERT; break;
    }
}

struct OptionBit {
    unsigned option;
    DWORD style;
};

// The style bit of each option, for the kinds it applies to.
std::vector<OptionBit> OptionBitsOfKind(Kind kind)
{
    switch (kind) {
    case kEdit:
    case kMultiEdit:
        return {{kReadOnly, ES_READONLY}, {kWantReturn, ES_WANTRETURN}, {kVScroll, WS_VSCROLL},
                {kAutoHScroll, ES_AUTOHSCROLL}};
    case kListBox:
        return {{kSorted, LBS_SORT}, {kNotify, LBS_NOTIFY}, {kMultiSel, LBS_MULTIPLESEL},
                {kExtSel, LBS_EXTENDEDSEL}};
    case kDropDownList:
    case kDropDown:
        return {{kSorted, CBS_SORT}};
    default:
        return {};
    }
}

bool TakesText(Kind kind)
{
    return kind != kEdit && kind != kMultiEdit && kind != kListBox && kind != kDropDownList &&
           kind != kDropDown && kind != kHScroll;
}

void ExpectFont(const DialogTemplate& dialog, Font font)
{
    EXPECT_TRUE(dialog.hasFont);
    switch (font) {
    case kSystemDialogFont:
        EXPECT_EQ(dialog.pointSize, 8);
        EXPECT_EQ(dialog.faceName, "MS Shell Dlg");
        break;
    case kSystem8:
        EXPECT_EQ(dialog.pointSize, 8);
        EXPECT_EQ(dialog.faceName, "System");
        break;
    case kSystem10:
        EXPECT_EQ(dialog.pointSize, 10);
        EXPECT_EQ(dialog.faceName, "System");
        break;
    }
}

void ExpectFeature(DWORD style, unsigned features, Feature feature, DWORD bit, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ((style & bit) != 0, (features & feature) != 0);
}

void ExpectControlStyle(const ControlTemplate& control, const ExpectedControl& expected)
{
    EXPECT_EQ(control.style & (WS_CHILD | WS_VISIBLE | WS_DISABLED), DWORD(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(control.exStyle, 0u);
    DWORD type = 0, mask = 0;
    TypeOfKind(expected.kind, type, mask);
    EXPECT_EQ(control.style & mask, type);
    for (const OptionBit& bit : OptionBitsOfKind(expected.kind)) {
        SCOPED_TRACE("option " + std::to_string(bit.option));
        EXPECT_EQ((control.style & bit.style) != 0, (expected.options & bit.option) != 0);
    }
}

std::string DescribeControl(const ExpectedControl& expected, size_t index)
{
    return "control " + std::to_string(index) + " id " + std::to_string(expected.id) + " \"" +
           expected.text + "\"";
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    auto* found = reinterpret_cast<std::set<std::string>*>(param);
    found->insert(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name))
                                       : std::string(name));
    return TRUE;
}

class DialogTemplates : public ::testing::Test {
protected:
    LoadedModule library_{lang_test::EnglishLibraryPath()};
};

TEST_F(DialogTemplates, TheLibraryHoldsExactlyTheListedDialogs)
{
    ASSERT_TRUE(library_);
    std::set<std::string> names;
    EnumResourceNamesA(library_.get(), reinterpret_cast<LPCSTR>(RT_DIALOG), CollectName,
                       reinterpret_cast<LONG_PTR>(&names));
    std::set<std::string> expected;
    for (const ExpectedDialog& dialog : kDialogs)
        expected.insert(dialog.name);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(expected.size(), 20u);
}

TEST_F(DialogTemplates, EachDialogHasItsTitleSizeFontAndWindowFeatures)
{
    ASSERT_TRUE(library_);
    for (const ExpectedDialog& expected : kDialogs) {
        SCOPED_TRACE(expected.name);
        DialogTemplate dialog;
        ASSERT_TRUE(LoadDialogTemplate(library_.get(), expected.name, dialog));
        EXPECT_EQ(dialog.title, expected.title ? expected.title : "");
        EXPECT_EQ(dialog.cx, expected.cx);
        EXPECT_EQ(dialog.cy, expected.cy);
        ExpectFont(dialog, expected.font);
        EXPECT_FALSE(dialog.windowClass.present);
        EXPECT_EQ(dialog.menu.present, expected.menu != nullptr);
        if (expected.menu) {
            EXPECT_FALSE(dialog.menu.isOrdinal);
            EXPECT_EQ(dialog.menu.name, expected.menu);
        }
        // Every dialog is a pop-up with a caption and a modal dialog frame.
        DWORD base = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        EXPECT_EQ(dialog.style & base, base);
        EXPECT_EQ(dialog.style & (WS_CHILD | WS_DISABLED | WS_MINIMIZEBOX), 0u);
        EXPECT_EQ(dialog.exStyle, 0u);
        ExpectFeature(dialog.style, expected.features, kShown, WS_VISIBLE, "shown at creation");
        ExpectFeature(dialog.style, expected.features, kSysMenu, WS_SYSMENU, "system menu");
        ExpectFeature(dialog.style, expected.features, kSizing, WS_THICKFRAME, "sizing border");
        ExpectFeature(dialog.style, expected.features, kMaximise, WS_MAXIMIZEBOX, "maximise box");
        ExpectFeature(dialog.style, expected.features, kVScrollBar, WS_VSCROLL, "vertical scroll bar");
        ExpectFeature(dialog.style, expected.features, kHScrollBar, WS_HSCROLL, "horizontal scroll bar");
    }
}

TEST_F(DialogTemplates, EachControlHasItsIdKindOptionsTextAndPlace)
{
    ASSERT_TRUE(library_);
    for (const ExpectedDialog& expected : kDialogs) {
        SCOPED_TRACE(expected.name);
        DialogTemplate dialog;
        ASSERT_TRUE(LoadDialogTemplate(library_.get(), expected.name, dialog));
        ASSERT_EQ(dialog.controls.size(), expected.controls.size());
        for (size_t i = 0; i < dialog.controls.size(); ++i) {
            const ExpectedControl& want = expected.controls[i];
            const ControlTemplate& control = dialog.controls[i];
            SCOPED_TRACE(DescribeControl(want, i));
            EXPECT_EQ(control.id, want.id);
            // Class names are compared as the system compares them, ignoring case.
            EXPECT_EQ(lstrcmpiA(control.className.c_str(), ClassOfKind(want.kind)), 0)
                << control.className;
            ExpectControlStyle(control, want);
            EXPECT_FALSE(control.text.isOrdinal);
            EXPECT_EQ(control.text.name, want.text);
            EXPECT_EQ(control.x, want.x);
            EXPECT_EQ(control.y, want.y);
            EXPECT_EQ(control.cx, want.cx);
            EXPECT_EQ(control.cy, want.cy);
        }
    }
}

// The reference editor's source field lets a title grow past the box, like the other fields
// of the editor, so long journal and book titles can be typed and edited whole.
TEST_F(DialogTemplates, SourceFieldOfTheEditorScrollsHorizontally)
{
    ASSERT_TRUE(library_);
    DialogTemplate dialog;
    ASSERT_TRUE(LoadDialogTemplate(library_.get(), DLG_EDITREF, dialog));
    bool found = false;
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == IDC_REF_SOURCE) {
            found = true;
            EXPECT_TRUE(control.style & CBS_AUTOHSCROLL);
        }
    }
    EXPECT_TRUE(found);
}

// --- The dialogs as the system builds them ---------------------------------------------------

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct CreatedDialog {
    HWND window = nullptr;
    CreatedDialog(HMODULE library, const char* name)
        : window(CreateDialogParamA(library, name, nullptr, InertDialogProc, 0))
    {
        if (window)
            ShowWindow(window, SW_HIDE);
    }
    ~CreatedDialog()
    {
        if (window)
            DestroyWindow(window);
    }
};

RECT ControlRectInDialog(HWND dialog, HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(DialogTemplates, EachDialogIsCreatedWithItsControlsInPlace)
{
    ASSERT_TRUE(library_);
    for (const ExpectedDialog& expected : kDialogs) {
        SCOPED_TRACE(expected.name);
        CreatedDialog created(library_.get(), expected.name);
        ASSERT_TRUE(created.window);
        HWND dialog = created.window;
        std::vector<HWND> children = ui::ChildrenOf(dialog);
        ASSERT_EQ(children.size(), expected.controls.size());
        for (size_t i = 0; i < children.size(); ++i) {
            const ExpectedControl& want = expected.controls[i];
            SCOPED_TRACE(DescribeControl(want, i));
            EXPECT_EQ(static_cast<short>(GetDlgCtrlID(children[i])), want.id);
            EXPECT_EQ(lstrcmpiA(ui::ClassOf(children[i]).c_str(), ClassOfKind(want.kind)), 0)
                << ui::ClassOf(children[i]);
            if (TakesText(want.kind)) {
                EXPECT_EQ(ui::TextOf(children[i]), want.text);
            }
            // The system converts position and size separately from dialog units.
            RECT origin = {want.x, want.y, want.x, want.y};
            RECT size = {0, 0, want.cx, want.cy};
            ASSERT_TRUE(MapDialogRect(dialog, &origin));
            ASSERT_TRUE(MapDialogRect(dialog, &size));
            RECT actual = ControlRectInDialog(dialog, children[i]);
            EXPECT_EQ(actual.left, origin.left);
            EXPECT_EQ(actual.top, origin.top);
            EXPECT_EQ(actual.right - actual.left, size.right);
            // A combo box is as high as its edit field (the template gives its list's height);
            // a list box shows whole lines only, so it may end up a little shorter.
            if (want.kind == kListBox) {
                EXPECT_LE(actual.bottom - actual.top, size.bottom);
                EXPECT_GT(actual.bottom - actual.top, size.bottom / 2);
            } else if (want.kind != kDropDown && want.kind != kDropDownList) {
                EXPECT_EQ(actual.bottom - actual.top, size.bottom);
            }
        }
        if (expected.menu) {
            EXPECT_TRUE(GetMenu(dialog));
        }
    }
}

// Enter presses the default push button: the dialog reports it as its default.
TEST_F(DialogTemplates, EnterPressesTheDefaultButton)
{
    ASSERT_TRUE(library_);
    for (const ExpectedDialog& expected : kDialogs) {
        SCOPED_TRACE(expected.name);
        int defaultId = 0;
        for (const ExpectedControl& control : expected.controls) {
            if (control.kind == kDefPush)
                defaultId = control.id;
        }
        if (!defaultId)
            continue;
        CreatedDialog created(library_.get(), expected.name);
        ASSERT_TRUE(created.window);
        LRESULT answer = SendMessageA(created.window, DM_GETDEFID, 0, 0);
        EXPECT_EQ(HIWORD(answer), DC_HASDEFID);
        EXPECT_EQ(LOWORD(answer), defaultId);
    }
}

// Check boxes and radio buttons toggle themselves; the radio buttons listed together form one
// group, so a click checks exactly the clicked one of its group and leaves the others alone.
TEST_F(DialogTemplates, ButtonsToggleThemselvesAndRadioGroupsStayApart)
{
    ASSERT_TRUE(library_);
    for (const ExpectedDialog& expected : kDialogs) {
        SCOPED_TRACE(expected.name);
        CreatedDialog created(library_.get(), expected.name);
        ASSERT_TRUE(created.window);
        HWND dialog = created.window;
        std::vector<std::vector<int>> groups;
        bool inGroup = false;
        for (const ExpectedControl& control : expected.controls) {
            if (control.kind == kCheck) {
                SCOPED_TRACE(control.text);
                HWND box = GetDlgItem(dialog, control.id);
                SendMessageA(box, BM_CLICK, 0, 0);
                EXPECT_EQ(IsDlgButtonChecked(dialog, control.id), BST_CHECKED);
                SendMessageA(box, BM_CLICK, 0, 0);
                EXPECT_EQ(IsDlgButtonChecked(dialog, control.id), BST_UNCHECKED);
            }
            if (control.kind == kRadio) {
                if (!inGroup)
                    groups.emplace_back();
                groups.back().push_back(control.id);
            }
            inGroup = control.kind == kRadio;
        }
        for (const std::vector<int>& group : groups) {
            for (int clicked : group) {
                SCOPED_TRACE("clicked " + std::to_string(clicked));
                SendMessageA(GetDlgItem(dialog, clicked), BM_CLICK, 0, 0);
                for (int id : group) {
                    EXPECT_EQ(IsDlgButtonChecked(dialog, id) == BST_CHECKED, id == clicked) << id;
                }
            }
        }
        // Every group keeps its own choice: the last button clicked in each stays checked.
        for (const std::vector<int>& group : groups) {
            EXPECT_EQ(IsDlgButtonChecked(dialog, group.back()), BST_CHECKED) << group.back();
        }
    }
}

}  // namespace
