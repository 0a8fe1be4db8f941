#include <gtest/gtest.h>

#include "charts/chart_palette.h"

namespace {

::testing::AssertionResult IsColor(const PaletteColor& c, int red, int green, int blue) {
    if (c.red == red && c.green == green && c.blue == blue) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ")";
}

TEST(ChartPalette, SchemeSeven) {
    PaletteColor entries[kChartPaletteSize];
    BuildChartPalette(ColorSchemeOfText("7"), entries);
    EXPECT_TRUE(IsColor(entries[45], 140, 210, 160));
    EXPECT_TRUE(IsColor(entries[46], 236, 181, 94));
    EXPECT_TRUE(IsColor(entries[47], 219, 243, 227));
    EXPECT_TRUE(IsColor(entries[3], 246, 191, 104));
    EXPECT_TRUE(IsColor(entries[4], 236, 181, 94));
    EXPECT_TRUE(IsColor(entries[5], 255, 211, 124));
    EXPECT_TRUE(IsColor(entries[6], 255, 241, 154));
    EXPECT_TRUE(IsColor(entries[7], 255, 255, 184));
}

TEST(ChartPalette, FixedEntriesAndFlags) {
    PaletteColor entries[kChartPaletteSize];
    BuildChartPalette(0, entries);
    EXPECT_TRUE(IsColor(entries[0], 255, 255, 230));
    EXPECT_TRUE(IsColor(entries[kColorTitle], 80, 80, 130));
    EXPECT_TRUE(IsColor(entries[kColorBmiLines], 200, 200, 200));
    EXPECT_TRUE(IsColor(entries[kColorLeftSeries], 112, 101, 210));
    EXPECT_TRUE(IsColor(entries[kColorRightSeries], 226, 72, 163));
    EXPECT_TRUE(IsColor(entries[kColorBmiBandFirst], 209, 243, 245));
    EXPECT_TRUE(IsColor(entries[kColorBmiArea], 245, 207, 216));
    for (int i = 0; i < kChartPaletteSize; ++i) {
        bool scheme = i >= kColorScheme1 && i <= kColorScheme3;
        EXPECT_EQ(entries[i].flags, scheme ? 0 : kPaletteReserved) << i;
    }
}

TEST(ChartPalette, OffsetIsAppliedBeforeDeriving) {
    // Scheme 4: c2 (243, 196, 181) with offset −30 gives (213, 166, 151).
    PaletteColor entries[kChartPaletteSize];
    BuildChartPalette(4, entries);
    EXPECT_TRUE(IsColor(entries[4], 213, 166, 151));
    EXPECT_TRUE(IsColor(entries[7], 255, 255, 241));
    EXPECT_TRUE(IsColor(entries[3], 223, 176, 161));
    EXPECT_TRUE(IsColor(entries[46], 243, 196, 181));  // the scheme colour itself is unchanged
    // Scheme 15 brightens: c2 (212, 152, 168) + 5; its entry 3 green 167 + 40 stays below 255.
    BuildChartPalette(15, entries);
    EXPECT_TRUE(IsColor(entries[3], 227, 167, 183));
}

TEST(ChartPalette, EntryThreeTurnsWhiteFortyBelowTheTop) {
    // Scheme 2: c2 (149, 181, 245) − 10 = (139, 171, 235); blue 235 + 40 reaches 255.
    PaletteColor entries[kChartPaletteSize];
    BuildChartPalette(2, entries);
    EXPECT_TRUE(IsColor(entries[3], 149, 181, 255));
    EXPECT_TRUE(IsColor(entries[4], 139, 171, 235));
    EXPECT_TRUE(IsColor(entries[5], 169, 201, 255));
}

TEST(ChartPalette, SchemeSettingText) {
    EXPECT_EQ(ColorSchemeOfText("7"), 7);
    EXPECT_EQ(ColorSchemeOfText("19"), 19);
    EXPECT_EQ(ColorSchemeOfText("0"), 0);
    EXPECT_EQ(ColorSchemeOfText(nullptr), 0);
    EXPECT_EQ(ColorSchemeOfText(""), 0);
    EXPECT_EQ(ColorSchemeOfText("20"), 0);
    EXPECT_EQ(ColorSchemeOfText("-1"), 0);
    EXPECT_EQ(ColorSchemeOfText("7a"), 0);
    EXPECT_EQ(ColorSchemeOfText("blue"), 0);
    EXPECT_EQ(ColorSchemeOfText("99999999999999999999"), 0);

    PaletteColor outside[kChartPaletteSize], zero[kChartPaletteSize];
    BuildChartPalette(42, outside);
    BuildChartPalette(0, zero);
    for (int i = 0; i < kChartPaletteSize; ++i) EXPECT_TRUE(IsColor(outside[i], zero[i].red, zero[i].green, zero[i].blue));
}

}  // namespace
