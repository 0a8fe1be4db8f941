// The chart painters' GDI helpers under Wine: what they select is put back,
// what they create is deleted, and palette colours reach the pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include "charts/chart_drawing.h"
#include "charts/chart_palette.h"
#include "charts/gdi_scope.h"

namespace {

// A memory context drawing into a 24-bit bitmap that GetPixel reads back exactly.
class DibContext {
public:
    DibContext(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, width, height};
        HBRUSH background = CreateSolidBrush(kBackground);
        FillRect(dc_, &all, background);
        DeleteObject(background);
    }
    ~DibContext() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    static constexpr COLORREF kBackground = RGB(1, 2, 3);

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

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

TEST(ChartPaletteGdi, EntriesAndFlagsOfTheLogicalPalette) {
    HPALETTE palette = CreateChartPalette(7);
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entries[kChartPaletteSize + 1] = {};
    ASSERT_EQ(GetPaletteEntries(palette, 0, kChartPaletteSize + 1, entries), static_cast<UINT>(kChartPaletteSize));
    PaletteColor expected[kChartPaletteSize];
    BuildChartPalette(7, expected);
    for (int i = 0; i < kChartPaletteSize; ++i) {
        EXPECT_EQ(entries[i].peRed, expected[i].red) << i;
        EXPECT_EQ(entries[i].peGreen, expected[i].green) << i;
        EXPECT_EQ(entries[i].peBlue, expected[i].blue) << i;
        EXPECT_EQ(entries[i].peFlags, expected[i].flags) << i;
    }
    EXPECT_EQ(entries[45].peFlags, 0);
    EXPECT_EQ(entries[44].peFlags, PC_RESERVED);
    DeleteObject(palette);
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

TEST(SunkenFrame, LinesInTheirSystemColours) {
    DibContext target(40, 30);
    const int l = 5, t = 4, r = 30, b = 20;
    drawSunkenFrame(target.dc(), l, t, r, b);
    auto at = [&](int x, int y) { return GetPixel(target.dc(), x, y); };
    EXPECT_EQ(at(l, t), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(l, b - 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(l + 1, t + 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(l + 1, b - 2), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(l + 2, t + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(r, b), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(r, t), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(l + 2, b - 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(at(r - 1, t + 3), GetSysColor(COLOR_BTNFACE));
    // Nothing outside the frame, nothing in its middle; the pen is gone again.
    EXPECT_EQ(at(l - 1, t), DibContext::kBackground);
    EXPECT_EQ(at(r + 1, b), DibContext::kBackground);
    EXPECT_EQ(at(l, b + 1), DibContext::kBackground);
    EXPECT_EQ(at(15, 12), DibContext::kBackground);
    EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
}

}  // namespace
