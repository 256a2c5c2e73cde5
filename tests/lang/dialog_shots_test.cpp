// Every dialog the program creates, created for real with each control its code addresses,
// and pictures for a person to look at: every dialog as the system draws it and the program's
// own pictures as the program uses them, saved as BMP files in build/win32/dialog-shots/ (the
// test run converts them to PNG).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ids.h"
#include "ids_header.h"
#include "loaded_module.h"

namespace {

using lang_test::Ids;
using lang_test::LoadedModule;

std::string ShotsDir()
{
    std::string tests = ui::TestProgramDir();
    std::string dir = tests.substr(0, tests.find_last_of('\\')) + "\\dialog-shots";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

TEST(DialogShots, EveryDialogIsCreatedWithItsControlsAndDrawn)
{
    ASSERT_TRUE(Ids().read);
    LoadedModule library(lang_test::EnglishLibraryPath());
    LoadedModule program(lang_test::ProgramPath(), LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(library && program);
    const std::string dir = ShotsDir();
    int dialogs = 0;
    for (const auto& [define, name] : Ids().names) {
        if (define.compare(0, 4, "DLG_") != 0) continue;
        SCOPED_TRACE(name);
        ++dialogs;
        HMODULE from = name == DLG_SPLASH ? program.get() : library.get();
        HWND dialog = CreateDialogParamA(from, name.c_str(), nullptr, InertDialogProc, 0);
        ASSERT_TRUE(dialog);
        const auto controls = Ids().controls.find(name);
        if (controls != Ids().controls.end()) {
            for (const std::string& control : controls->second)
                EXPECT_TRUE(GetDlgItem(dialog, Ids().numbers.at(control))) << control;
        }
        // Dialogs that the program titles get their name, so the picture says which it is.
        if (GetWindowTextLengthA(dialog) == 0) SetWindowTextA(dialog, ("(" + name + ")").c_str());
        SetWindowPos(dialog, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(dialog);
        PumpMessages(150);
        RECT rect;
        GetWindowRect(dialog, &rect);
        HDC screen = GetDC(nullptr);
        size_t colours = 0;
        ui::SaveArea(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     dir + "\\" + name + ".bmp", &colours);
        ReleaseDC(nullptr, screen);
        DestroyWindow(dialog);
        PumpMessages(20);
        EXPECT_GT(colours, 2u) << "the picture is blank or was not saved";
    }
    EXPECT_EQ(dialogs, 21);
}

// Draws `name` at (x, y) with `rop`; checks its size first.
void Draw(HMODULE program, const char* name, HDC canvas, int x, int y, int width, int height,
          DWORD rop = SRCCOPY)
{
    HBITMAP bitmap = LoadBitmapA(program, name);
    ASSERT_TRUE(bitmap) << name;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, width) << name;
    EXPECT_EQ(info.bmHeight, height) << name;
    HDC source = CreateCompatibleDC(canvas);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(canvas, x, y, width, height, source, 0, 0, rop);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
}

// Draws the icon or cursor `name` of `size` pixels at (x, 90); the room it took.
int DrawImage(HMODULE program, const char* name, UINT type, int size, HDC canvas, int x)
{
    HICON image = static_cast<HICON>(LoadImageA(program, name, type, size, size, 0));
    EXPECT_TRUE(image);
    DrawIconEx(canvas, x, 90, image, size, size, 0, nullptr, DI_NORMAL);
    DestroyIcon(image);
    return size + 8;
}

// The splash picture, the toolbar strip, the glyphs through their masks on the window and the
// selection colours, the icons in both sizes and the drag cursors.
TEST(DialogShots, ProgramPicturesAreDrawnAndSaved)
{
    LoadedModule program(lang_test::ProgramPath(), LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    const int width = 560, height = 240;
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP sheet = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldSheet = SelectObject(canvas, sheet);
    RECT all = {0, 0, width, height};
    FillRect(canvas, &all, GetSysColorBrush(COLOR_BTNFACE));
    Draw(program.get(), BMP_SPLASH, canvas, 10, 10, 300, 200);
    Draw(program.get(), MAKEINTRESOURCEA(IDB_TOOLBAR), canvas, 320, 10,
         TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT, TOOLBAR_IMAGE_SIZE);
    const char* const glyphs[][2] = {{BMP_ARTICLE, BMP_ARTICLE_MASK}, {BMP_BOOK, BMP_BOOK_MASK},
                                     {BMP_REPORT, BMP_REPORT_MASK}};
    const int backgrounds[] = {COLOR_WINDOW, COLOR_HIGHLIGHT};
    for (int row = 0; row < 2; ++row) {
        RECT band = {320, 40 + row * 20, 320 + 3 * 36, 40 + row * 20 + GLYPH_HEIGHT};
        FillRect(canvas, &band, GetSysColorBrush(backgrounds[row]));
        for (int g = 0; g < 3; ++g) {
            const int x = band.left + g * 36;
            Draw(program.get(), glyphs[g][1], canvas, x, band.top, GLYPH_WIDTH, GLYPH_HEIGHT, SRCAND);
            Draw(program.get(), glyphs[g][0], canvas, x, band.top, GLYPH_WIDTH, GLYPH_HEIGHT,
                 SRCPAINT);
        }
    }
    int x = 320;
    for (int id : {IDI_FRAME, IDI_DATABASE})
        for (int size : {32, 16})
            x += DrawImage(program.get(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, canvas, x);
    for (const char* name : {CUR_DRAG_SINGLE, CUR_DRAG_MULTIPLE})
        x += DrawImage(program.get(), name, IMAGE_CURSOR, 32, canvas, x);
    size_t colours = 0;
    ui::SaveArea(canvas, 0, 0, width, height, ShotsDir() + "\\program-pictures.bmp", &colours);
    SelectObject(canvas, oldSheet);
    DeleteObject(sheet);
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(colours, 8u);
}

}  // namespace
