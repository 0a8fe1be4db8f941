// The chart painters' GDI pieces under Wine: the chart palette as a GDI
// palette and the sunken frame in its system colours.
#include <gtest/gtest.h>
#include <windows.h>

#include "charts/chart_palette.h"
#include "charts/painters/chart_drawing.h"
#include "support/dib_context.h"

namespace {

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
