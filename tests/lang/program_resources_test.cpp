// The program's own resources, which do not depend on the language: the keyboard accelerators,
// the splash window and picture, the icons, the drag cursors, the toolbar strip and the
// reference-type glyphs. The program is read as a data file, as the system would.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "dialog_template.h"
#include "ids.h"
#include "loaded_module.h"

namespace {

using lang_test::LoadedModule;

class ProgramResources : public ::testing::Test {
protected:
    LoadedModule program_{lang_test::ProgramPath(), LOAD_LIBRARY_AS_DATAFILE};
};

// --- Accelerators --------------------------------------------------------------------------------

struct ExpectedKey {
    BYTE flags;  // FVIRTKEY with FCONTROL, FSHIFT, FALT, FNOINVERT
    WORD key;
    WORD command;
    const char* name;
};

const ExpectedKey kKeys[] = {
    {FVIRTKEY | FCONTROL, 'S', 502, "Ctrl+S"},
    {FVIRTKEY | FCONTROL, 'O', 501, "Ctrl+O"},
    {FVIRTKEY, VK_F7, 507, "F7"},
    {FVIRTKEY | FCONTROL, 'B', 515, "Ctrl+B"},
    {FVIRTKEY | FCONTROL, 'C', 769, "Ctrl+C"},
    {FVIRTKEY | FCONTROL, VK_INSERT, 769, "Ctrl+Ins"},
    {FVIRTKEY | FCONTROL, 'X', 768, "Ctrl+X"},
    {FVIRTKEY | FSHIFT, VK_DELETE, 768, "Shift+Del"},
    {FVIRTKEY | FCONTROL, 'V', 770, "Ctrl+V"},
    {FVIRTKEY | FSHIFT, VK_INSERT, 770, "Shift+Ins"},
    {FVIRTKEY | FCONTROL, 'Z', 772, "Ctrl+Z"},
    {FVIRTKEY | FALT, VK_BACK, 772, "Alt+Backspace"},
    {FVIRTKEY | FSHIFT, VK_F4, 419, "Shift+F4"},
    {FVIRTKEY | FSHIFT, VK_F5, 420, "Shift+F5"},
    {FVIRTKEY | FNOINVERT, VK_RETURN, 508, "Enter"},
    {FVIRTKEY | FCONTROL | FNOINVERT, VK_RETURN, 512, "Ctrl+Enter"},
    {FVIRTKEY, VK_F2, 512, "F2"},
    {FVIRTKEY, VK_F6, 508, "F6"},
    {FVIRTKEY | FNOINVERT, VK_DELETE, 509, "Del"},
    {FVIRTKEY, VK_F3, 510, "F3"},
    {FVIRTKEY, VK_F1, 528, "F1"},
};

std::vector<ACCEL> CopyTable(HACCEL table)
{
    int count = CopyAcceleratorTableA(table, nullptr, 0);
    std::vector<ACCEL> entries(count > 0 ? static_cast<size_t>(count) : 0);
    if (count > 0)
        CopyAcceleratorTableA(table, entries.data(), count);
    return entries;
}

TEST_F(ProgramResources, AcceleratorTableListsEachKeyOnce)
{
    ASSERT_TRUE(program_);
    HACCEL table = LoadAcceleratorsA(program_.get(), ACCEL_KEYS);
    ASSERT_TRUE(table);
    std::vector<ACCEL> entries = CopyTable(table);
    ASSERT_EQ(entries.size(), std::size(kKeys));
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(kKeys[i].name);
        EXPECT_EQ(entries[i].fVirt, kKeys[i].flags);
        EXPECT_EQ(entries[i].key, kKeys[i].key);
        EXPECT_EQ(entries[i].cmd, kKeys[i].command);
    }
    DestroyAcceleratorTable(table);
}

// Translates one key press with the given modifier keys held; returns the command it sent, or
// 0 when the key is not an accelerator.
class KeyTranslator {
public:
    explicit KeyTranslator(HACCEL table) : table_(table)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CartulanKeyTarget";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    }
    ~KeyTranslator()
    {
        if (window_)
            DestroyWindow(window_);
        BYTE keys[256] = {};
        SetKeyboardState(keys);
    }

    int Press(WORD key, BYTE modifiers)
    {
        BYTE keys[256] = {};
        if (modifiers & FCONTROL)
            keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
        if (modifiers & FSHIFT)
            keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
        if (modifiers & FALT)
            keys[VK_MENU] = keys[VK_LMENU] = 0x80;
        keys[key] = 0x80;
        SetKeyboardState(keys);
        MSG msg = {};
        msg.hwnd = window_;
        msg.message = (modifiers & FALT) ? WM_SYSKEYDOWN : WM_KEYDOWN;
        msg.wParam = key;
        msg.lParam = 1 | ((modifiers & FALT) ? (1 << 29) : 0);
        s_command = 0;
        TranslateAcceleratorA(window_, table_, &msg);
        return s_command;
    }

    bool ready() const { return window_ != nullptr; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COMMAND) {
            s_command = LOWORD(wParam);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static int s_command;
    HACCEL table_;
    HWND window_ = nullptr;
};

int KeyTranslator::s_command = 0;

TEST_F(ProgramResources, EachKeyTranslatesToItsCommandAndOthersToNothing)
{
    ASSERT_TRUE(program_);
    HACCEL table = LoadAcceleratorsA(program_.get(), ACCEL_KEYS);
    ASSERT_TRUE(table);
    {
        KeyTranslator translator(table);
        ASSERT_TRUE(translator.ready());
        for (const ExpectedKey& key : kKeys) {
            SCOPED_TRACE(key.name);
            EXPECT_EQ(translator.Press(key.key, key.flags), key.command);
        }
        struct Unlisted {
            WORD key;
            BYTE modifiers;
            const char* name;
        };
        const Unlisted unlisted[] = {
            {'S', 0, "S"}, {'S', FALT, "Alt+S"}, {'O', FSHIFT, "Shift+O"}, {VK_INSERT, 0, "Ins"},
            {VK_DELETE, FCONTROL, "Ctrl+Del"}, {VK_RETURN, FSHIFT, "Shift+Enter"},
            {VK_RETURN, FALT, "Alt+Enter"}, {VK_BACK, 0, "Backspace"}, {VK_F4, 0, "F4"},
            {VK_F4, FALT, "Alt+F4"}, {VK_F5, 0, "F5"}, {'Z', FCONTROL | FSHIFT, "Ctrl+Shift+Z"},
        };
        for (const Unlisted& key : unlisted) {
            SCOPED_TRACE(key.name);
            EXPECT_EQ(translator.Press(key.key, key.modifiers), 0);
        }
    }
    DestroyAcceleratorTable(table);
}

// --- Splash window ---------------------------------------------------------------------------------

TEST_F(ProgramResources, SplashWindowIsAVisiblePopUpWithADialogFrameOnly)
{
    ASSERT_TRUE(program_);
    lang_test::DialogTemplate splash;
    ASSERT_TRUE(lang_test::LoadDialogTemplate(program_.get(), DLG_SPLASH, splash));
    EXPECT_EQ(splash.style, DWORD(WS_POPUP | WS_VISIBLE | WS_DLGFRAME));
    EXPECT_EQ(splash.style & WS_BORDER, 0u);  // no caption
    EXPECT_EQ(splash.exStyle, 0u);
    EXPECT_TRUE(splash.controls.empty());
    EXPECT_EQ(splash.title, "");
    EXPECT_FALSE(splash.menu.present);
    EXPECT_FALSE(splash.windowClass.present);
}

// --- Bitmaps ---------------------------------------------------------------------------------------

// A device-independent bitmap as a resource stores it: header, palette, rows from the bottom.
struct Dib {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<RGBQUAD> palette;
    const BYTE* rows = nullptr;
    size_t rowBytes = 0;

    COLORREF Pixel(int x, int y) const
    {
        const BYTE* row = rows + static_cast<size_t>(height - 1 - y) * rowBytes;
        int bit = x * bits;
        int index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
        const RGBQUAD& c = palette[static_cast<size_t>(index)];
        return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
};

bool ReadDib(HMODULE module, LPCSTR name, Dib& dib)
{
    HRSRC found = FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!found)
        return false;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    size_t size = SizeofResource(module, found);
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (header.biSize != sizeof header || header.biCompression != BI_RGB || header.biHeight <= 0 ||
        (header.biBitCount != 1 && header.biBitCount != 4))
        return false;
    dib.width = header.biWidth;
    dib.height = header.biHeight;
    dib.bits = header.biBitCount;
    size_t colours = header.biClrUsed ? header.biClrUsed : (size_t{1} << dib.bits);
    dib.rowBytes = ((static_cast<size_t>(dib.width) * dib.bits + 31) / 32) * 4;
    size_t needed = sizeof header + colours * sizeof(RGBQUAD) + dib.rowBytes * dib.height;
    if (size < needed || colours > (size_t{1} << dib.bits))
        return false;
    dib.palette.resize(colours);
    std::memcpy(dib.palette.data(), data + sizeof header, colours * sizeof(RGBQUAD));
    dib.rows = data + sizeof header + colours * sizeof(RGBQUAD);
    return true;
}

TEST_F(ProgramResources, SplashPictureIs300By200InSixteenColours)
{
    ASSERT_TRUE(program_);
    Dib splash;
    ASSERT_TRUE(ReadDib(program_.get(), BMP_SPLASH, splash));
    EXPECT_EQ(splash.width, 300);
    EXPECT_EQ(splash.height, 200);
    EXPECT_EQ(splash.bits, 4);
    std::set<COLORREF> used;
    for (int y = 0; y < splash.height; ++y) {
        for (int x = 0; x < splash.width; ++x)
            used.insert(splash.Pixel(x, y));
    }
    EXPECT_GT(used.size(), 4u);

    HBITMAP loaded = LoadBitmapA(program_.get(), BMP_SPLASH);
    ASSERT_TRUE(loaded);
    BITMAP info = {};
    GetObjectA(loaded, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 300);
    EXPECT_EQ(info.bmHeight, 200);
    DeleteObject(loaded);
}

// The toolbar maps the light grey of the strip to the button face; every image draws on it.
TEST_F(ProgramResources, ToolbarStripHoldsFourteenDistinctImages)
{
    ASSERT_TRUE(program_);
    Dib strip;
    ASSERT_TRUE(ReadDib(program_.get(), MAKEINTRESOURCEA(IDB_TOOLBAR), strip));
    EXPECT_EQ(strip.width, TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT);
    EXPECT_EQ(strip.width, 224);
    EXPECT_EQ(strip.height, 16);
    EXPECT_EQ(strip.bits, 4);
    const COLORREF face = RGB(192, 192, 192);
    std::set<std::vector<COLORREF>> images;
    for (int image = 0; image < TOOLBAR_IMAGE_COUNT; ++image) {
        SCOPED_TRACE(image);
        std::vector<COLORREF> pixels;
        int drawn = 0, background = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                COLORREF c = strip.Pixel(image * 16 + x, y);
                pixels.push_back(c);
                (c == face ? background : drawn)++;
            }
        }
        EXPECT_GT(drawn, 30);
        EXPECT_GT(background, 30);
        images.insert(pixels);
    }
    EXPECT_EQ(images.size(), size_t{TOOLBAR_IMAGE_COUNT});
}

struct GlyphPair {
    const char* picture;
    const char* mask;
};

const GlyphPair kGlyphs[] = {
    {BMP_ARTICLE, BMP_ARTICLE_MASK},
    {BMP_BOOK, BMP_BOOK_MASK},
    {BMP_REPORT, BMP_REPORT_MASK},
};

// Around the picture the mask is white and the picture black, so that AND with the mask and
// OR with the picture leave the background as it was.
TEST_F(ProgramResources, GlyphPicturesAndMasksFitTogether)
{
    ASSERT_TRUE(program_);
    std::set<std::vector<bool>> shapes;
    for (const GlyphPair& glyph : kGlyphs) {
        SCOPED_TRACE(glyph.picture);
        Dib picture, mask;
        ASSERT_TRUE(ReadDib(program_.get(), glyph.picture, picture));
        ASSERT_TRUE(ReadDib(program_.get(), glyph.mask, mask));
        EXPECT_EQ(picture.width, GLYPH_WIDTH);
        EXPECT_EQ(picture.height, GLYPH_HEIGHT);
        EXPECT_EQ(picture.bits, 4);
        EXPECT_EQ(mask.width, 30);
        EXPECT_EQ(mask.height, 15);
        EXPECT_EQ(mask.bits, 1);
        std::vector<bool> shape;
        int covered = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 30; ++x) {
                COLORREF m = mask.Pixel(x, y);
                ASSERT_TRUE(m == RGB(0, 0, 0) || m == RGB(255, 255, 255)) << x << "," << y;
                bool through = m == RGB(255, 255, 255);
                if (through) {
                    EXPECT_EQ(picture.Pixel(x, y), RGB(0, 0, 0)) << x << "," << y;
                }
                covered += !through;
                shape.push_back(through);
            }
        }
        EXPECT_GT(covered, 100);
        EXPECT_LT(covered, 30 * 15 - 60);
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), 3u);
}

// Builds a glyph the way the lists do, on a background colour; returns the pixels.
std::vector<COLORREF> ComposeGlyph(HMODULE module, const GlyphPair& glyph, COLORREF background)
{
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, GLYPH_WIDTH, GLYPH_HEIGHT);
    HBITMAP mask = LoadBitmapA(module, glyph.mask);
    HBITMAP picture = LoadBitmapA(module, glyph.picture);
    if (canvas && mask && picture) {
        HGDIOBJ oldTarget = SelectObject(target, canvas);
        HBRUSH brush = CreateSolidBrush(background);
        RECT all = {0, 0, GLYPH_WIDTH, GLYPH_HEIGHT};
        FillRect(target, &all, brush);
        DeleteObject(brush);
        HGDIOBJ oldSource = SelectObject(source, mask);
        BitBlt(target, 0, 0, GLYPH_WIDTH, GLYPH_HEIGHT, source, 0, 0, SRCAND);
        SelectObject(source, picture);
        BitBlt(target, 0, 0, GLYPH_WIDTH, GLYPH_HEIGHT, source, 0, 0, SRCPAINT);
        SelectObject(source, oldSource);
        for (int y = 0; y < GLYPH_HEIGHT; ++y) {
            for (int x = 0; x < GLYPH_WIDTH; ++x)
                pixels.push_back(GetPixel(target, x, y));
        }
        SelectObject(target, oldTarget);
    }
    for (HBITMAP b : {canvas, mask, picture}) {
        if (b)
            DeleteObject(b);
    }
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST_F(ProgramResources, GlyphsKeepTheBackgroundAroundThePicture)
{
    ASSERT_TRUE(program_);
    const COLORREF backgrounds[] = {RGB(255, 255, 255), RGB(0, 0, 128), RGB(10, 36, 106)};
    for (const GlyphPair& glyph : kGlyphs) {
        SCOPED_TRACE(glyph.picture);
        Dib mask;
        ASSERT_TRUE(ReadDib(program_.get(), glyph.mask, mask));
        for (COLORREF background : backgrounds) {
            SCOPED_TRACE(background);
            std::vector<COLORREF> pixels = ComposeGlyph(program_.get(), glyph, background);
            ASSERT_EQ(pixels.size(), size_t{GLYPH_WIDTH * GLYPH_HEIGHT});
            int changed = 0;
            for (int y = 0; y < GLYPH_HEIGHT; ++y) {
                for (int x = 0; x < GLYPH_WIDTH; ++x) {
                    COLORREF shown = pixels[static_cast<size_t>(y * GLYPH_WIDTH + x)];
                    if (mask.Pixel(x, y) == RGB(255, 255, 255)) {
                        EXPECT_EQ(shown, background) << x << "," << y;
                    } else {
                        changed += shown != background;
                    }
                }
            }
            EXPECT_GT(changed, 100);
        }
    }
}

// --- Icons and cursors -----------------------------------------------------------------------------

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planesOrHotX;
    WORD bitsOrHotY;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The sizes listed by an icon or cursor group: width and height of each image.
std::set<std::pair<int, int>> GroupSizes(HMODULE module, LPCSTR name, LPCSTR type)
{
    std::set<std::pair<int, int>> sizes;
    HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return sizes;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    size_t size = SizeofResource(module, found);
    if (!data || size < 6)
        return sizes;
    WORD count = 0;
    std::memcpy(&count, data + 4, sizeof count);
    for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupEntry) <= size; ++i) {
        GroupEntry entry;
        std::memcpy(&entry, data + 6 + i * sizeof(GroupEntry), sizeof entry);
        sizes.insert({entry.width, entry.height});
    }
    return sizes;
}

TEST_F(ProgramResources, IconsComeInBothSizes)
{
    ASSERT_TRUE(program_);
    for (int id : {IDI_FRAME, IDI_DATABASE}) {
        SCOPED_TRACE(id);
        std::set<std::pair<int, int>> expected = {{32, 32}, {16, 16}};
        EXPECT_EQ(GroupSizes(program_.get(), MAKEINTRESOURCEA(id),
                             reinterpret_cast<LPCSTR>(RT_GROUP_ICON)),
                  expected);
        for (int size : {16, 32}) {
            HANDLE icon = LoadImageA(program_.get(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
            EXPECT_TRUE(icon) << size;
            if (icon)
                DestroyIcon(static_cast<HICON>(icon));
        }
    }
    EXPECT_EQ(GroupSizes(program_.get(), MAKEINTRESOURCEA(3), reinterpret_cast<LPCSTR>(RT_GROUP_ICON)),
              (std::set<std::pair<int, int>>{}));
}

TEST_F(ProgramResources, DragCursorsPointWithTheArrowTip)
{
    ASSERT_TRUE(program_);
    std::set<std::vector<BYTE>> looks;
    for (const char* name : {CUR_DRAG_SINGLE, CUR_DRAG_MULTIPLE}) {
        SCOPED_TRACE(name);
        HCURSOR cursor = static_cast<HCURSOR>(
            LoadImageA(program_.get(), name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
        ASSERT_TRUE(cursor);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 0u);
        EXPECT_EQ(info.yHotspot, 0u);
        BITMAP mask = {};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, 32);
        std::vector<BYTE> bits(static_cast<size_t>(mask.bmWidthBytes * mask.bmHeight));
        GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
        looks.insert(bits);
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DestroyCursor(cursor);
    }
    EXPECT_EQ(looks.size(), 2u);
}

}  // namespace
