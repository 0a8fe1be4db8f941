// The scoped GDI guards under Wine: what they select is put back, what they
// create is deleted, and palette colours reach the pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>

#include "charts/chart_palette.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/win32/gdi_scope.h"
#include "support/dib_context.h"

namespace {

TEST(ScopedSelect, PutsBackThePreviousPenAndDeletesItsOwn) {
    DibContext target(8, 8);
    HPEN earlier = CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
    HGDIOBJ original = SelectObject(target.dc(), earlier);
    HGDIOBJ created = nullptr;
    {
        ScopedPen pen(target.dc(), PS_SOLID, 1, RGB(200, 0, 0));
        ASSERT_TRUE(pen.ok());
        created = pen.object();
        EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_PEN), created);
    }
    EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_PEN), earlier);  // not a stock pen: really the one before
    EXPECT_EQ(GetObjectType(created), 0u);                        // deleted
    SelectObject(target.dc(), original);
    DeleteObject(earlier);
}

TEST(ScopedSelect, BorrowedObjectsStayAndNestedScopesUnwindInOrder) {
    DibContext target(8, 8);
    HGDIOBJ originalBrush = GetCurrentObject(target.dc(), OBJ_BRUSH);
    HBRUSH borrowed = CreateSolidBrush(RGB(0, 0, 200));
    {
        ScopedSelect outer(target.dc(), borrowed, false);
        {
            ScopedBrush inner(target.dc(), RGB(0, 200, 0));
            EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_BRUSH), inner.object());
        }
        EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_BRUSH), borrowed);
    }
    EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_BRUSH), originalBrush);
    EXPECT_EQ(GetObjectType(borrowed), static_cast<DWORD>(OBJ_BRUSH));  // the caller's, not deleted
    DeleteObject(borrowed);
}

TEST(ScopedSelect, FailedCreationRestoresNothingAndIsHarmless) {
    DibContext target(8, 8);
    HGDIOBJ before = GetCurrentObject(target.dc(), OBJ_PEN);
    {
        ScopedSelect none(target.dc(), nullptr, true);
        EXPECT_FALSE(none.ok());
    }
    EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_PEN), before);
}

TEST(ScopedPalette, SelectsRealisesAndPutsBack) {
    DibContext target(8, 8);
    HPALETTE palette = CreateChartPalette(0);
    HGDIOBJ before = GetCurrentObject(target.dc(), OBJ_PAL);
    {
        ScopedPalette selected(target.dc(), palette);
        ASSERT_TRUE(selected.ok());
        EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_PAL), palette);
    }
    EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_PAL), before);
    EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));  // the window's palette lives on
    DeleteObject(palette);
}

TEST(ScopedClip, LimitsDrawingAndPutsBackTheClipBeforeOrNone) {
    DibContext target(20, 20);
    HDC dc = target.dc();
    for (bool clippedBefore : {false, true}) {
        if (clippedBefore) IntersectClipRect(dc, 0, 0, 15, 15);
        {
            ScopedClip inner(dc, 5, 5, 10, 10);
            PatBlt(dc, 0, 0, 20, 20, BLACKNESS);
        }
        RECT box = {};
        GetClipBox(dc, &box);
        EXPECT_EQ(box.right, clippedBefore ? 15 : 20);
        EXPECT_EQ(GetPixel(dc, 7, 7), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(dc, 2, 2), DibContext::kBackground);
    }
}

LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTestWindow(int width, int height) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PelmoChartDrawingTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "PelmoChartDrawingTest", "", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                  height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

TEST(OffscreenCanvas, DrawsInPaletteColoursAndReleasesEverything) {
    HWND window = CreateTestWindow(120, 80);
    ASSERT_NE(window, nullptr);
    HDC windowDc = GetDC(window);
    HPALETTE palette = CreateChartPalette(7);
    HBITMAP bitmap = nullptr;
    HDC memoryDc = nullptr;
    {
        OffscreenCanvas canvas(windowDc, palette, 60, 40);
        ASSERT_TRUE(canvas.ok());
        bitmap = canvas.bitmap();
        memoryDc = canvas.dc();
        EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PAL), palette);
        EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BITMAP), bitmap);
        BITMAP shape = {};
        GetObjectA(bitmap, sizeof shape, &shape);
        EXPECT_EQ(shape.bmWidth, 60);
        EXPECT_EQ(shape.bmHeight, 40);

        RECT left = {0, 0, 30, 40}, right = {30, 0, 60, 40};
        {
            ScopedBrush series(canvas.dc(), PaletteColorOf(kColorLeftSeries));
            PatBlt(canvas.dc(), left.left, left.top, 30, 40, PATCOPY);
        }
        {
            ScopedBrush band(canvas.dc(), PaletteColorOf(kColorScheme2));
            PatBlt(canvas.dc(), right.left, right.top, 30, 40, PATCOPY);
        }
        EXPECT_EQ(GetPixel(canvas.dc(), 5, 5), RGB(112, 101, 210));
        EXPECT_EQ(GetPixel(canvas.dc(), 45, 5), RGB(236, 181, 94));  // scheme 7's colour 2

        ASSERT_TRUE(canvas.CopyTo(10, 20));
        GdiFlush();
        EXPECT_EQ(GetPixel(windowDc, 15, 25), RGB(112, 101, 210));
        EXPECT_EQ(GetPixel(windowDc, 60, 50), RGB(236, 181, 94));
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(memoryDc), 0u);
    EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
    DeleteObject(palette);
    ReleaseDC(window, windowDc);
    DestroyWindow(window);
}

TEST(OffscreenCanvas, EmptyAreaDrawsNothing) {
    HDC screen = GetDC(nullptr);
    OffscreenCanvas canvas(screen, nullptr, 0, 40);
    EXPECT_FALSE(canvas.ok());
    EXPECT_FALSE(canvas.CopyTo(0, 0));
    ReleaseDC(nullptr, screen);
}

}  // namespace
