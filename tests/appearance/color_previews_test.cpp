// The colour-scheme previews are pictures of the diary window in each
// scheme's own colours: their colour tables start with the chart palette the
// diary window builds, and the calendar bar, the selected row, the BMI chart
// and the graph's bands show the colours that scheme gives them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "charts/chart_palette.h"

namespace {

struct Bitmap {
    int width = 0, height = 0, bits = 0;
    std::vector<PaletteColor> table;
    std::vector<std::uint8_t> indices;  // top-down
};

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

bool ReadBitmap(const std::string& path, Bitmap* out) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const std::uint32_t offset = Le32(b, 10);
    out->width = static_cast<int>(Le32(b, 18));
    out->height = static_cast<int>(Le32(b, 22));
    out->bits = b[28] | b[29] << 8;
    if (out->bits != 8 || out->width <= 0 || out->height <= 0) return true;
    std::uint32_t colours = Le32(b, 46) ? Le32(b, 46) : 256;
    for (std::uint32_t i = 0; i < colours; ++i) {
        std::size_t at = 54 + 4 * i;
        out->table.push_back({b[at + 2], b[at + 1], b[at], 0});
    }
    const std::size_t stride = (static_cast<std::size_t>(out->width) + 3) & ~std::size_t{3};
    if (b.size() < offset + stride * out->height) return false;
    for (int y = out->height - 1; y >= 0; --y)  // bottom-up rows
        out->indices.insert(out->indices.end(), b.begin() + offset + stride * y,
                            b.begin() + offset + stride * y + out->width);
    return true;
}

bool SameColour(const PaletteColor& a, const PaletteColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// Places in the 170 x 115 picture and the palette entry that colours them.
struct Probe {
    const char* what;
    int x, y;
    int entry;
};
constexpr Probe kProbes[] = {
    {"calendar bar", 101, 10, kColorScheme1},
    {"calendar button", 104, 4, kColorScheme3},
    {"selected record row", 90, 47, kColorScheme3},
    {"BMI title line", 110, 21, kColorScheme2},
    {"BMI axis band", 104, 40, kColorBmiAxisBand},
    {"graph header band", 80, 75, kColorScheme1},
    {"graph left band", 5, 95, kColorScheme1},
    {"record text", 6, 17, kColorTitle},
};

TEST(ColorPreviews, EachSchemeIsDrawnInItsOwnPalette) {
    for (int scheme = 0; scheme < kColorSchemeCount; ++scheme) {
        SCOPED_TRACE("scheme " + std::to_string(scheme));
        Bitmap bitmap;
        const std::string path =
            std::string(PELMO_SOURCE_DIR) + "/src/resources/bitmaps/color" + std::to_string(scheme + 1) + ".bmp";
        ASSERT_TRUE(ReadBitmap(path, &bitmap)) << path;
        EXPECT_EQ(bitmap.width, 170);
        EXPECT_EQ(bitmap.height, 115);
        ASSERT_EQ(bitmap.bits, 8);
        ASSERT_GE(bitmap.table.size(), static_cast<std::size_t>(kChartPaletteSize));

        PaletteColor palette[kChartPaletteSize];
        BuildChartPalette(scheme, palette);
        for (int i = 0; i < kChartPaletteSize; ++i) EXPECT_TRUE(SameColour(bitmap.table[i], palette[i])) << "entry " << i;
        for (const Probe& probe : kProbes) {
            const PaletteColor& shown = bitmap.table[bitmap.indices[probe.y * bitmap.width + probe.x]];
            EXPECT_TRUE(SameColour(shown, palette[probe.entry])) << probe.what;
        }
    }
}

}  // namespace
