// The charts' font sizes: from the diary window's text ascent, as the record
// table's, and grown with the screen's dots per inch. Portable.
#ifndef PELMO_CHARTS_CHART_FONT_SIZE_H
#define PELMO_CHARTS_CHART_FONT_SIZE_H

struct FontSize {
    int width, height;
};

// The screen's dots per inch that the charts' pixel sizes are given for.
constexpr int kChartBaseDpi = 96;

// pixels given for 96 dots per inch at dpi (rounded to the nearest pixel).
inline int AtChartDpi(int pixels, int dpi) {
    if (dpi <= 0) dpi = kChartBaseDpi;
    return (pixels * dpi + kChartBaseDpi / 2) / kChartBaseDpi;
}

// small up to an ascent of 18, else ascent × widthPer18 / 18 wide and twice
// that high; on a screen of more than 96 dots per inch at least small grown with it.
inline FontSize ChartFontSize(int ascent, int dpi, FontSize small, int widthPer18) {
    constexpr int kSmallAscent = 18;
    FontSize size = small;
    if (ascent > kSmallAscent) {
        const int width = ascent * widthPer18 / kSmallAscent;
        size = {width, 2 * width};
    }
    if (dpi <= kChartBaseDpi) return size;
    const FontSize grown = {AtChartDpi(small.width, dpi), AtChartDpi(small.height, dpi)};
    return grown.height > size.height ? grown : size;
}

#endif
