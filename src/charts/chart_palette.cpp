#include "charts/chart_palette.h"

#include <cerrno>
#include <cstdlib>

namespace {

struct FixedEntry {
    int index;
    uint8_t red, green, blue;
};

constexpr FixedEntry kFixedEntries[] = {
    {0, 255, 255, 230},  {1, 190, 190, 255},  {2, 230, 230, 255},  {8, 238, 238, 255},  {9, 210, 210, 235},
    {10, 180, 180, 205}, {11, 125, 125, 230}, {12, 200, 200, 255}, {13, 225, 225, 255}, {14, 210, 210, 255},
    {15, 230, 125, 230}, {16, 255, 200, 255}, {17, 255, 225, 255}, {18, 255, 210, 255}, {19, 230, 255, 230},
    {20, 180, 230, 180}, {21, 100, 200, 100}, {22, 255, 145, 255}, {23, 86, 89, 230},   {24, 250, 226, 245},
    {25, 255, 240, 250}, {26, 180, 20, 70},   {27, 250, 225, 190}, {28, 252, 245, 236}, {29, 150, 70, 20},
    {30, 220, 220, 220}, {31, 245, 245, 245}, {32, 80, 80, 130},   {33, 250, 180, 180}, {34, 194, 224, 210},
    {35, 176, 198, 242}, {36, 206, 174, 255}, {37, 174, 202, 255}, {38, 174, 255, 210}, {39, 255, 220, 174},
    {40, 255, 175, 223}, {41, 200, 200, 200}, {42, 205, 87, 165},  {43, 112, 101, 210}, {44, 226, 72, 163},
    {48, 209, 243, 245}, {49, 228, 245, 207}, {50, 243, 245, 207}, {51, 245, 234, 207}, {52, 245, 214, 207},
    {53, 245, 207, 216},
};

constexpr ColorScheme kSchemes[kColorSchemeCount] = {
    {{188, 227, 153, 0}, {172, 203, 149, 0}, {211, 241, 215, 0}, 0},
    {{255, 215, 170, 0}, {250, 196, 152, 0}, {253, 234, 219, 0}, -10},
    {{169, 201, 255, 0}, {149, 181, 245, 0}, {209, 223, 252, 0}, -10},
    {{140, 230, 180, 0}, {120, 210, 160, 0}, {211, 243, 215, 0}, 0},
    {{245, 215, 190, 0}, {243, 196, 181, 0}, {251, 233, 227, 0}, -30},
    {{255, 200, 240, 0}, {251, 193, 227, 0}, {254, 238, 247, 0}, -15},
    {{213, 213, 213, 0}, {213, 213, 213, 0}, {240, 240, 240, 0}, -30},
    {{140, 210, 160, 0}, {236, 181, 94, 0}, {219, 243, 227, 0}, 0},
    {{255, 200, 240, 0}, {248, 233, 164, 0}, {254, 238, 247, 0}, -20},
    {{140, 210, 210, 0}, {181, 195, 231, 0}, {255, 255, 230, 0}, -20},
    {{165, 210, 165, 0}, {195, 223, 195, 0}, {255, 255, 230, 0}, -30},
    {{220, 209, 184, 0}, {220, 230, 176, 0}, {253, 242, 224, 0}, -30},
    {{210, 210, 210, 0}, {150, 160, 210, 0}, {240, 240, 240, 0}, 0},
    {{235, 192, 177, 0}, {220, 197, 176, 0}, {254, 238, 212, 0}, -20},
    {{226, 192, 209, 0}, {220, 197, 176, 0}, {228, 235, 221, 0}, -20},
    {{175, 189, 175, 0}, {212, 152, 168, 0}, {237, 242, 208, 0}, 5},
    {{155, 219, 208, 0}, {163, 213, 176, 0}, {209, 241, 209, 0}, -10},
    {{212, 194, 230, 0}, {215, 153, 197, 0}, {247, 225, 247, 0}, 0},
    {{252, 218, 160, 0}, {172, 203, 149, 0}, {221, 236, 251, 0}, 0},
    {{204, 198, 154, 0}, {230, 212, 112, 0}, {251, 249, 211, 0}, -20},
};

constexpr int kFirstDerived = 3;   // entries 3..7
constexpr int kDerivedSteps = 4;   // entries 4..7 brighten c2 by 30 per step

uint8_t Channel(int value, bool saturate) {
    if (saturate || value >= 255) return 255;
    return static_cast<uint8_t>(value < 0 ? 0 : value);
}

PaletteColor Color(int red, int green, int blue, uint8_t flags) {
    return {Channel(red, false), Channel(green, false), Channel(blue, false), flags};
}

}  // namespace

const ColorScheme& ColorSchemeOf(int scheme) {
    if (scheme < 0 || scheme >= kColorSchemeCount) scheme = 0;
    return kSchemes[scheme];
}

int ColorSchemeOfText(const char* text) {
    if (text == nullptr || *text == '\0') return 0;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0') return 0;
    if (value < 0 || value >= kColorSchemeCount) return 0;
    return static_cast<int>(value);
}

void BuildChartPalette(int scheme, PaletteColor entries[kChartPaletteSize]) {
    const ColorScheme& colors = ColorSchemeOf(scheme);
    for (int i = 0; i < kChartPaletteSize; ++i) entries[i] = {0, 0, 0, kPaletteReserved};
    for (const FixedEntry& fixed : kFixedEntries)
        entries[fixed.index] = {fixed.red, fixed.green, fixed.blue, kPaletteReserved};

    int r = colors.c2.red + colors.offset;
    int g = colors.c2.green + colors.offset;
    int b = colors.c2.blue + colors.offset;
    // Entry 3 lightens by 10 but turns green and blue white already 40 below the top.
    entries[kFirstDerived] = {Channel(r + 10, r + 10 >= 255), Channel(g + 10, g + 40 >= 255),
                              Channel(b + 10, b + 40 >= 255), kPaletteReserved};
    for (int k = 0; k < kDerivedSteps; ++k)
        entries[kFirstDerived + 1 + k] = Color(r + 30 * k, g + 30 * k, b + 30 * k, kPaletteReserved);

    entries[kColorScheme1] = {colors.c1.red, colors.c1.green, colors.c1.blue, 0};
    entries[kColorScheme2] = {colors.c2.red, colors.c2.green, colors.c2.blue, 0};
    entries[kColorScheme3] = {colors.c3.red, colors.c3.green, colors.c3.blue, 0};
}
