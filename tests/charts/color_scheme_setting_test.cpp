// The colour scheme comes from "SYSCOLOR" in the settings; anything unusable means scheme 0.
#include <gtest/gtest.h>
#include <windows.h>

#include "charts/chart_palette.h"
#include "charts/color_scheme_setting.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/registry.h"
#include "support/sandbox.h"

namespace {

TEST(ColorSchemeSetting, ReadsTheStoredScheme) {
    Sandbox sandbox;
    EXPECT_EQ(ReadColorSchemeSetting(), 0);  // missing
    ASSERT_TRUE(SetRegistryValue("SYSCOLOR", "7", kAreaSettings));
    EXPECT_EQ(ReadColorSchemeSetting(), 7);
    const char* unusable[] = {"20", "-1", "abc", "", "7 "};
    for (const char* text : unusable) {
        ASSERT_TRUE(SetRegistryValue("SYSCOLOR", text, kAreaSettings));
        EXPECT_EQ(ReadColorSchemeSetting(), 0) << text;
    }
}

TEST(ColorSchemeSetting, SchemeSevenReachesTheLogicalPalette) {
    Sandbox sandbox;
    ASSERT_TRUE(SetRegistryValue("SYSCOLOR", "7", kAreaSettings));
    HPALETTE palette = CreateChartPalette(ReadColorSchemeSetting());
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entries[kChartPaletteSize] = {};
    GetPaletteEntries(palette, 0, kChartPaletteSize, entries);
    EXPECT_EQ(RGB(entries[45].peRed, entries[45].peGreen, entries[45].peBlue), RGB(140, 210, 160));
    EXPECT_EQ(RGB(entries[46].peRed, entries[46].peGreen, entries[46].peBlue), RGB(236, 181, 94));
    EXPECT_EQ(RGB(entries[47].peRed, entries[47].peGreen, entries[47].peBlue), RGB(219, 243, 227));
    EXPECT_EQ(RGB(entries[3].peRed, entries[3].peGreen, entries[3].peBlue), RGB(246, 191, 104));
    EXPECT_EQ(RGB(entries[5].peRed, entries[5].peGreen, entries[5].peBlue), RGB(255, 211, 124));
    DeleteObject(palette);
}

}  // namespace
