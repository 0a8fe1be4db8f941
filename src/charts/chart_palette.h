// The diary window's chart palette as plain data: 54 entries, most of them
// fixed, entries 3..7 and 45..47 from the colour scheme ("SYSCOLOR").
#ifndef PELMO_CHARTS_CHART_PALETTE_H
#define PELMO_CHARTS_CHART_PALETTE_H

#include <cstdint>

constexpr int kChartPaletteSize = 54;
constexpr int kColorSchemeCount = 20;
constexpr uint16_t kChartPaletteVersion = 0x300;
constexpr uint8_t kPaletteReserved = 0x01;  // PC_RESERVED: the entry may be animated, never shared

// The roles the painters name by index.
enum ChartPaletteIndex : int {
    kColorBmiAxisBand = 5,
    kColorMarkerCross = 8,
    kColorMarkerRingInner = 9,
    kColorMarkerRingOuter = 10,
    kColorSaturday = 23,  // the calendar's Saturdays
    kColorSunday = 26,    // the calendar's Sundays and today's mark
    kColorTitle = 32,     // titles, the record table's text, the calendar's text
    kColorBmiLines = 41,
    kColorLeftSeries = 43,
    kColorRightSeries = 44,
    kColorScheme1 = 45,  // graph bands, ticks, current-date line, the calendar's bar
    kColorScheme2 = 46,  // BMI title underline, the calendar's edges
    kColorScheme3 = 47,  // selected record row, the calendar's buttons
    kColorBmiBandFirst = 48,  // 48..52: bands below BMI 18.5, 25, 30, 35, 40
    kColorBmiArea = 53,
};

struct PaletteColor {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

struct ColorScheme {
    PaletteColor c1, c2, c3;  // entries 45, 46, 47 (flags unused)
    int offset;               // added to each channel of c2 before deriving entries 3..7
};

// The scheme table; scheme outside 0..19 gives scheme 0.
const ColorScheme& ColorSchemeOf(int scheme);

// The "SYSCOLOR" text as a scheme number: a missing value, a text that is not
// a whole number, or a number outside 0..19 give 0.
int ColorSchemeOfText(const char* text);

// All 54 entries for the scheme (outside 0..19: scheme 0).
void BuildChartPalette(int scheme, PaletteColor entries[kChartPaletteSize]);

#endif
