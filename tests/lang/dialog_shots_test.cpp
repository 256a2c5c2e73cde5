// Pictures for a person to look at: every dialog of the English library as the system draws
// it, and the program's own pictures as the program uses them. They are saved as BMP files in
// build/win32/dialog-shots/ (the test run converts them to PNG).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "ids.h"
#include "loaded_module.h"

namespace {

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
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (!IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(name);
    return TRUE;
}

std::vector<std::string> DialogNames(HMODULE module)
{
    std::vector<std::string> names;
    EnumResourceNamesA(module, reinterpret_cast<LPCSTR>(RT_DIALOG), CollectName,
                       reinterpret_cast<LONG_PTR>(&names));
    return names;
}

TEST(DialogShots, EveryDialogIsDrawnAndSaved)
{
    LoadedModule library(lang_test::EnglishLibraryPath());
    ASSERT_TRUE(library);
    std::vector<std::string> names = DialogNames(library.get());
    EXPECT_EQ(names.size(), 20u);
    std::string dir = ShotsDir();
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        HWND dialog = CreateDialogParamA(library.get(), name.c_str(), nullptr, InertDialogProc, 0);
        ASSERT_TRUE(dialog);
        // Dialogs that the program titles get their name, so the picture says which it is.
        if (GetWindowTextLengthA(dialog) == 0)
            SetWindowTextA(dialog, ("(" + name + ")").c_str());
        SetWindowPos(dialog, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(dialog);
        PumpMessages(150);
        RECT rect;
        GetWindowRect(dialog, &rect);
        HDC screen = GetDC(nullptr);
        size_t colours = 0;
        ui::SaveArea(screen, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, dir + "\\" + name + ".bmp", &colours);
        ReleaseDC(nullptr, screen);
        DestroyWindow(dialog);
        PumpMessages(20);
        EXPECT_GT(colours, 2u) << "the picture is blank or was not saved";
    }
}

// The splash picture, the toolbar strip on the button face, the glyphs on the window and the
// selection colours, the icons and the cursors, drawn with the system's own calls.
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

    HDC source = CreateCompatibleDC(screen);
    HBITMAP splash = LoadBitmapA(program.get(), BMP_SPLASH);
    ASSERT_TRUE(splash);
    HGDIOBJ oldSource = SelectObject(source, splash);
    BitBlt(canvas, 10, 10, 300, 200, source, 0, 0, SRCCOPY);

    HBITMAP strip = LoadBitmapA(program.get(), MAKEINTRESOURCEA(IDB_TOOLBAR));
    ASSERT_TRUE(strip);
    SelectObject(source, strip);
    BitBlt(canvas, 320, 10, 224, 16, source, 0, 0, SRCCOPY);

    const char* const glyphs[][2] = {{BMP_ARTICLE, BMP_ARTICLE_MASK}, {BMP_BOOK, BMP_BOOK_MASK},
                                     {BMP_REPORT, BMP_REPORT_MASK}};
    const int backgrounds[] = {COLOR_WINDOW, COLOR_HIGHLIGHT};
    for (int row = 0; row < 2; ++row) {
        RECT band = {320, 40 + row * 20, 320 + 3 * 36, 40 + row * 20 + 15};
        FillRect(canvas, &band, GetSysColorBrush(backgrounds[row]));
        for (int g = 0; g < 3; ++g) {
            HBITMAP mask = LoadBitmapA(program.get(), glyphs[g][1]);
            HBITMAP picture = LoadBitmapA(program.get(), glyphs[g][0]);
            ASSERT_TRUE(mask && picture);
            SelectObject(source, mask);
            BitBlt(canvas, band.left + g * 36, band.top, 30, 15, source, 0, 0, SRCAND);
            SelectObject(source, picture);
            BitBlt(canvas, band.left + g * 36, band.top, 30, 15, source, 0, 0, SRCPAINT);
            SelectObject(source, oldSource);
            DeleteObject(mask);
            DeleteObject(picture);
        }
    }
    int x = 320;
    for (int id : {IDI_FRAME, IDI_DATABASE}) {
        for (int size : {32, 16}) {
            HICON icon = static_cast<HICON>(
                LoadImageA(program.get(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_TRUE(icon);
            DrawIconEx(canvas, x, 90, icon, size, size, 0, nullptr, DI_NORMAL);
            DestroyIcon(icon);
            x += size + 8;
        }
    }
    x = 320;
    for (const char* name : {CUR_DRAG_SINGLE, CUR_DRAG_MULTIPLE}) {
        HCURSOR cursor = static_cast<HCURSOR>(
            LoadImageA(program.get(), name, IMAGE_CURSOR, 32, 32, 0));
        ASSERT_TRUE(cursor);
        DrawIconEx(canvas, x, 140, cursor, 32, 32, 0, nullptr, DI_NORMAL);
        DestroyCursor(cursor);
        x += 48;
    }
    SelectObject(source, oldSource);
    DeleteDC(source);
    DeleteObject(splash);
    DeleteObject(strip);

    size_t colours = 0;
    ui::SaveArea(canvas, 0, 0, width, height, ShotsDir() + "\\program-pictures.bmp", &colours);
    SelectObject(canvas, oldSheet);
    DeleteObject(sheet);
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(colours, 8u);
}

}  // namespace
