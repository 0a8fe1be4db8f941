#include "charts/painters/value_axis_drawing.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "charts/chart_palette.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/win32/gdi_scope.h"

namespace {

const char kGraphFace[] = "ＭＳ ゴシック";
// Garbled values could ask for more labels than any band has room for.
constexpr int kMaxLabels = 256;

void DrawBox(HDC dc, const char* text, int left, int top, int right, int bottom, UINT align) {
    RECT box = {left, top, right, bottom};
    DrawTextA(dc, text, -1, &box, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | align);
}

// The label in the band: bold by a second copy one pixel further out, except for steps.
void DrawLabel(HDC dc, AxisSide side, const ValueAxisLayout& layout, const GraphPlot& plot, const char* text,
               double row, const ValueAxisStyle& style) {
    const int h = layout.labelFontHeight;
    const int top = static_cast<int>(std::trunc(plot.top + row - h / 2.0));
    const int bottom = static_cast<int>(std::trunc(plot.top + row + h / 2.0));
    if (!style.bold) {
        if (side == AxisSide::kLeft) DrawBox(dc, text, 0, top, plot.left - style.labelGap, bottom, DT_RIGHT);
        else DrawBox(dc, text, plot.right + style.labelGap, top, plot.right + plot.left, bottom, DT_LEFT);
        return;
    }
    const int bold = layout.singleLabel ? 0 : 1;
    if (side == AxisSide::kLeft) {
        const RECT box = {0, top, plot.left - 2 + bold, bottom};
        DrawBox(dc, text, box.left, top, box.right, bottom, DT_RIGHT);
        if (bold) DrawBox(dc, text, box.left + 1, top, box.right + 1, bottom, DT_RIGHT);
        NoteTextInBox(dc, text, box, DT_RIGHT, bold);
        return;
    }
    const RECT box = {plot.right + 2, top, plot.right + plot.left, bottom};
    DrawBox(dc, text, box.left, top, box.right, bottom, DT_LEFT);
    if (bold) DrawBox(dc, text, box.left + 1, top, box.right + 1, bottom, DT_LEFT);
    NoteTextInBox(dc, text, box, DT_LEFT, bold);
}

void DrawTick(HDC dc, AxisSide side, const GraphPlot& plot, int row, int length) {
    if (side == AxisSide::kLeft) ChartLine(dc, plot.left - 1, row, plot.left + length - 1, row);
    else ChartLine(dc, plot.right - length, row, plot.right + 1, row);
}

}  // namespace

HFONT CreateGraphFont(int width, int height) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kGraphFace);
}

ValueAxisAnchor drawValueAxis(HDC dc, AxisSide side, int item, double largest, double smallest,
                              const GraphPlot& plot, int fontHeight) {
    ValueAxisStyle style;
    style.labelColor = PALETTEINDEX(side == AxisSide::kLeft ? kColorLeftSeries : kColorRightSeries);
    style.tickColor = PALETTEINDEX(kColorScheme1);
    return drawValueAxis(dc, side, item, largest, smallest, plot, fontHeight, style);
}

ValueAxisAnchor drawValueAxis(HDC dc, AxisSide side, int item, double largest, double smallest,
                              const GraphPlot& plot, int fontHeight, const ValueAxisStyle& style) {
    ValueAxisAnchor anchor;
    const ValueAxisLayout layout = LayoutValueAxis(item, largest, smallest, plot.Height(), fontHeight);
    if (!layout.usable) return anchor;
    anchor.scale = layout.scale;
    AxisLabel labels[kMaxLabels];
    const int count = ValueAxisLabels(layout, plot.Height(), labels, kMaxLabels);
    if (count == 0) return anchor;

    const int h = layout.labelFontHeight;
    ScopedFont font(dc, CreateGraphFont(h / 2, h));
    const COLORREF oldColor = SetTextColor(dc, style.labelColor);
    const char* format = AxisLabelFormat(item, side);
    for (int i = 0; i < count; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, format, labels[i].value);
        DrawLabel(dc, side, layout, plot, text, labels[i].row, style);
    }
    SetTextColor(dc, oldColor);
    ScopedPen tickPen(dc, PS_SOLID, style.penWidth, style.tickColor);
    for (int i = 0; i < count; ++i)
        DrawTick(dc, side, plot, LabelTickRow(layout, plot.top, labels[i].row), style.tickLength);

    anchor.value = labels[0].value;
    anchor.row = LabelTickRow(layout, plot.top, labels[0].row);
    anchor.anchored = true;
    return anchor;
}
