// Win32 pieces the chart painters share: the chart palette as a GDI palette,
// the calendar's colours from it, lines, bold labels and the sunken 3-D frame
// around the charts.
#ifndef PELMO_CHARTS_PAINTERS_CHART_DRAWING_H
#define PELMO_CHARTS_PAINTERS_CHART_DRAWING_H

#include <windows.h>

#include <string>
#include <vector>

#include "charts/chart_box.h"
#include "charts/dash_pattern.h"
#include "corelib/win32/calendar.h"

// A logical palette of the 54 chart entries for the scheme (outside 0..19:
// scheme 0). The caller deletes it with DeleteObject; null when GDI refuses.
HPALETTE CreateChartPalette(int scheme);

// The colour of palette entry `index` for brushes, pens and text.
inline COLORREF PaletteColorOf(int index) { return PALETTEINDEX(index); }

inline RECT RectOf(const ChartBox& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

// The calendar's colours from the chart palette's entries, as palette-relative
// colours; the calendar's defaults without a palette.
CalendarColors CalendarColorsOf(HPALETTE chartPalette);

// A one-pixel line in the selected pen from (x1, y1) to (x2, y2), its end point left out.
void ChartLine(HDC dc, int x1, int y1, int x2, int y2);

// A polyline in a solid pen of width (flat ends beyond one pixel), cut into
// the pattern's dashes.
void DrawPatternedLine(HDC dc, const std::vector<ChartPoint>& line, int width, COLORREF color, DashPattern pattern);

// The extent of text in the selected font; 0 × 0 for an empty text.
SIZE TextSize(HDC dc, const char* text);
// A rectangle filled with one colour (its right and bottom edges left out), by a brush made for it.
void FillChartBox(HDC dc, COLORREF color, int left, int top, int right, int bottom);
// A label that looks bold: the text drawn twice, one pixel apart, its top-left
// corner at (x, y), in the current text colour.
void DrawBoldText(HDC dc, int x, int y, const char* text);

// The texts the painters write, each with the box it takes in the window
// (whole, even where the drawing's clipping cuts it: a cut text is a fault
// too), so that a check can tell whether any of them covers another. Nothing is noted unless a list is given.
struct PaintedText {
    std::string text;
    RECT box;
};
void NotePaintedTexts(std::vector<PaintedText>* list);  // null: stop noting
// While it lives, what is drawn off screen is noted where the canvas will be copied: at (x, y).
class PaintedTextOrigin {
public:
    PaintedTextOrigin(int x, int y);
    ~PaintedTextOrigin();
    PaintedTextOrigin(const PaintedTextOrigin&) = delete;
    PaintedTextOrigin& operator=(const PaintedTextOrigin&) = delete;

private:
    POINT previous_;
};
// Notes text drawn in the selected font with its top-left corner at (x, y);
// extraWidth for the bold copy.
void NoteText(HDC dc, const char* text, int x, int y, int extraWidth = 0);
// Notes text as DrawText places it in box with format (left, centred or right; top or centred).
void NoteTextInBox(HDC dc, const char* text, const RECT& box, UINT format, int extraWidth = 0);

// A sunken border: dark shadow and highlight inside, face and shadow outside,
// with one-pixel pens in the system colours. Lines leave out their end point.
void drawSunkenFrame(HDC dc, int left, int top, int right, int bottom);

#endif
