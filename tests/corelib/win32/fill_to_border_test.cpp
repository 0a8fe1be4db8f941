// The chart's own flood fill against GDI's, pixel for pixel, on canvases like
// the BMI chart's: palette colours, curves of the border colour, a clip.
#include "corelib/win32/fill_to_border.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <random>
#include <vector>

#include "charts/chart_palette.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/win32/gdi_scope.h"

namespace {

std::vector<COLORREF> PixelsOf(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    GdiFlush();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

// Random curves of the border colour over a filled canvas, as the class curves are drawn.
void DrawPicture(HDC dc, unsigned seed, int width, int height) {
    std::mt19937 random(seed);
    ScopedBrush ground(dc, PaletteColorOf(kColorBmiArea));
    PatBlt(dc, 0, 0, width, height, PATCOPY);
    ScopedPen border(dc, PS_SOLID, 1, PaletteColorOf(kColorBmiLines));
    for (int curve = 0; curve < 4; ++curve) {
        MoveToEx(dc, -5, static_cast<int>(random() % height), nullptr);
        for (int x = 0; x <= width + 10; x += 7) LineTo(dc, x, static_cast<int>(random() % height));
    }
    Ellipse(dc, width / 3, height / 3, width / 3 + 12, height / 3 + 9);
}

TEST(FillToBorder, FillsWhatExtFloodFillFillsAndAnswersAlike) {
    HDC screen = GetDC(nullptr);
    HPALETTE palette = CreateChartPalette(0);
    constexpr int kWidth = 90, kHeight = 70;
    int filled = 0;
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE(seed);
        OffscreenCanvas gdi(screen, palette, kWidth, kHeight), canvas(screen, palette, kWidth, kHeight);
        ASSERT_TRUE(gdi.ok() && canvas.ok());
        // Even seeds: a device bitmap of the screen's format, whose pixels the fill reads through a copy.
        HDC device = CreateCompatibleDC(screen);
        HBITMAP deviceBitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        HGDIOBJ oldBitmap = SelectObject(device, deviceBitmap);
        HPALETTE oldPalette = SelectPalette(device, palette, FALSE);
        RealizePalette(device);
        const HDC ours = seed % 2 ? canvas.dc() : device;
        const bool clipped = seed % 3 != 0;
        std::mt19937 random(seed * 7919);
        const int x = static_cast<int>(random() % (kWidth + 10)) - 5;
        const int y = static_cast<int>(random() % (kHeight + 10)) - 5;
        bool answers[2];
        HDC dcs[2] = {gdi.dc(), ours};
        for (int i = 0; i < 2; ++i) {
            DrawPicture(dcs[i], seed, kWidth, kHeight);
            std::unique_ptr<ScopedClip> clip;
            if (clipped) clip = std::make_unique<ScopedClip>(dcs[i], 6, 5, kWidth - 9, kHeight - 4);
            ScopedBrush band(dcs[i], PaletteColorOf(kColorBmiBandFirst + static_cast<int>(seed % 5)));
            answers[i] = i == 0 ? ExtFloodFill(dcs[i], x, y, PaletteColorOf(kColorBmiLines), FLOODFILLBORDER) != FALSE
                                : FillToBorder(dcs[i], x, y, PaletteColorOf(kColorBmiLines));
        }
        EXPECT_EQ(answers[0], answers[1]);
        filled += answers[0] ? 1 : 0;
        EXPECT_EQ(PixelsOf(gdi.dc(), kWidth, kHeight), PixelsOf(ours, kWidth, kHeight));
        SelectPalette(device, oldPalette, FALSE);
        SelectObject(device, oldBitmap);
        DeleteObject(deviceBitmap);
        DeleteDC(device);
    }
    EXPECT_GT(filled, 12);  // most seeds fall inside a band
    DeleteObject(palette);
    ReleaseDC(nullptr, screen);
}

}  // namespace
