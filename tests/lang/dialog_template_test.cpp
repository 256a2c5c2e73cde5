// The template reader the resource tests rely on: both layouts, names and ordinals, fonts, and
// data that is cut short.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_template.h"

namespace {

using lang_test::DialogTemplate;
using lang_test::ParseDialogTemplate;

class Bytes {
public:
    template <typename T>
    Bytes& Put(T value)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(&value);
        data_.insert(data_.end(), p, p + sizeof value);
        return *this;
    }
    Bytes& Text(const char* text)
    {
        for (; *text; ++text)
            Put<WORD>(static_cast<BYTE>(*text));
        return Put<WORD>(0);
    }
    Bytes& Align()
    {
        while (data_.size() % 4)
            data_.push_back(0);
        return *this;
    }
    const std::vector<BYTE>& data() const { return data_; }

private:
    std::vector<BYTE> data_;
};

// A classic template: menu by name, no class, a title, a font and two controls, one of them
// with a class ordinal and a text, the other with no id.
Bytes ClassicTemplate()
{
    Bytes b;
    b.Put<DWORD>(WS_POPUP | WS_CAPTION | DS_SETFONT).Put<DWORD>(0).Put<WORD>(2);
    b.Put<short>(5).Put<short>(6).Put<short>(100).Put<short>(50);
    b.Text("MENU1").Put<WORD>(0).Text("Title").Put<WORD>(8).Text("MS Shell Dlg");
    b.Align().Put<DWORD>(WS_CHILD | BS_DEFPUSHBUTTON).Put<DWORD>(0);
    b.Put<short>(1).Put<short>(2).Put<short>(30).Put<short>(14).Put<WORD>(IDOK);
    b.Put<WORD>(0xFFFF).Put<WORD>(0x0080).Text("OK").Put<WORD>(0);
    b.Align().Put<DWORD>(WS_CHILD | SS_GRAYFRAME).Put<DWORD>(0);
    b.Put<short>(3).Put<short>(4).Put<short>(20).Put<short>(10).Put<WORD>(0xFFFF);
    b.Put<WORD>(0xFFFF).Put<WORD>(0x0082).Put<WORD>(0).Put<WORD>(0);
    return b;
}

// An extended template: menu by ordinal, 10-point font with weight and character set, one
// control with a class name and 4 bytes of creation data.
Bytes ExtendedTemplate()
{
    Bytes b;
    b.Put<WORD>(1).Put<WORD>(0xFFFF).Put<DWORD>(0).Put<DWORD>(WS_EX_TOPMOST);
    b.Put<DWORD>(WS_POPUP | DS_SETFONT).Put<WORD>(1);
    b.Put<short>(0).Put<short>(0).Put<short>(80).Put<short>(40);
    b.Put<WORD>(0xFFFF).Put<WORD>(7).Put<WORD>(0).Put<WORD>(0);
    b.Put<WORD>(10).Put<WORD>(FW_BOLD).Put<BYTE>(0).Put<BYTE>(1).Text("System");
    b.Align().Put<DWORD>(0).Put<DWORD>(0).Put<DWORD>(WS_CHILD | ES_MULTILINE);
    b.Put<short>(2).Put<short>(3).Put<short>(40).Put<short>(12).Put<DWORD>(101);
    b.Text("Edit").Put<WORD>(0).Put<WORD>(4).Put<DWORD>(0xDEADBEEF);
    return b;
}

TEST(DialogTemplateReader, ReadsTheClassicLayout)
{
    Bytes b = ClassicTemplate();
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(b.data().data(), b.data().size(), t));
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, DWORD(WS_POPUP | WS_CAPTION | DS_SETFONT));
    EXPECT_EQ(t.x, 5);
    EXPECT_EQ(t.cy, 50);
    EXPECT_TRUE(t.menu.present);
    EXPECT_EQ(t.menu.name, "MENU1");
    EXPECT_FALSE(t.windowClass.present);
    EXPECT_EQ(t.title, "Title");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.faceName, "MS Shell Dlg");
    ASSERT_EQ(t.controls.size(), 2u);
    EXPECT_EQ(t.controls[0].id, IDOK);
    EXPECT_EQ(t.controls[0].className, "Button");
    EXPECT_EQ(t.controls[0].text.name, "OK");
    EXPECT_EQ(t.controls[0].cx, 30);
    EXPECT_EQ(t.controls[1].id, -1);
    EXPECT_EQ(t.controls[1].className, "Static");
    EXPECT_FALSE(t.controls[1].text.present);
}

TEST(DialogTemplateReader, ReadsTheExtendedLayout)
{
    Bytes b = ExtendedTemplate();
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(b.data().data(), b.data().size(), t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.exStyle, DWORD(WS_EX_TOPMOST));
    EXPECT_TRUE(t.menu.isOrdinal);
    EXPECT_EQ(t.menu.ordinal, 7);
    EXPECT_EQ(t.title, "");
    EXPECT_EQ(t.pointSize, 10);
    EXPECT_EQ(t.faceName, "System");
    ASSERT_EQ(t.controls.size(), 1u);
    EXPECT_EQ(t.controls[0].id, 101);
    EXPECT_EQ(t.controls[0].className, "Edit");
    EXPECT_EQ(t.controls[0].style, DWORD(WS_CHILD | ES_MULTILINE));
}

TEST(DialogTemplateReader, RefusesDataCutShort)
{
    for (const Bytes& b : {ClassicTemplate(), ExtendedTemplate()}) {
        const std::vector<BYTE>& full = b.data();
        for (size_t size = 0; size < full.size(); ++size) {
            SCOPED_TRACE(size);
            DialogTemplate t;
            EXPECT_FALSE(ParseDialogTemplate(full.data(), size, t));
        }
    }
    DialogTemplate t;
    EXPECT_FALSE(ParseDialogTemplate(nullptr, 100, t));
}

}  // namespace
