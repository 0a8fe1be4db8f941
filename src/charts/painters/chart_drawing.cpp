#include "charts/painters/chart_drawing.h"

#include <cstdlib>
#include <cstring>

#include "charts/chart_palette.h"
#include "corelib/win32/gdi_scope.h"

namespace {

struct Segment {
    int x1, y1, x2, y2;
};

void DrawSegments(HDC dc, int systemColor, const Segment* segments, int count) {
    ScopedPen pen(dc, PS_SOLID, 1, GetSysColor(systemColor));
    for (int i = 0; i < count; ++i) ChartLine(dc, segments[i].x1, segments[i].y1, segments[i].x2, segments[i].y2);
}

COLORREF EntryColor(HPALETTE palette, int index, COLORREF fallback) {
    PALETTEENTRY entry;
    if (palette && GetPaletteEntries(palette, static_cast<UINT>(index), 1, &entry) == 1)
        return PALETTERGB(entry.peRed, entry.peGreen, entry.peBlue);
    return fallback;
}

}  // namespace

HPALETTE CreateChartPalette(int scheme) {
    PaletteColor entries[kChartPaletteSize];
    BuildChartPalette(scheme, entries);
    // LOGPALETTE declares one entry; the others follow it in the same block.
    size_t bytes = sizeof(LOGPALETTE) + (kChartPaletteSize - 1) * sizeof(PALETTEENTRY);
    LOGPALETTE* logical = static_cast<LOGPALETTE*>(std::calloc(1, bytes));
    if (logical == nullptr) return nullptr;
    logical->palVersion = kChartPaletteVersion;
    logical->palNumEntries = kChartPaletteSize;
    for (int i = 0; i < kChartPaletteSize; ++i)
        logical->palPalEntry[i] = {entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
    HPALETTE palette = CreatePalette(logical);
    std::free(logical);
    return palette;
}

CalendarColors CalendarColorsOf(HPALETTE chartPalette) {
    const CalendarColors defaults = DefaultCalendarColors();
    return CalendarColors{EntryColor(chartPalette, kColorScheme1, defaults.face),
                          EntryColor(chartPalette, kColorScheme2, defaults.edge),
                          EntryColor(chartPalette, kColorScheme3, defaults.button),
                          EntryColor(chartPalette, kColorTitle, defaults.text),
                          EntryColor(chartPalette, kColorSunday, defaults.sunday),
                          EntryColor(chartPalette, kColorSaturday, defaults.saturday)};
}

void ChartLine(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void DrawPatternedLine(HDC dc, const std::vector<ChartPoint>& line, int width, COLORREF color, DashPattern pattern) {
    HPEN pen = nullptr;
    if (width <= 1) {
        pen = CreatePen(PS_SOLID, 1, color);
    } else {
        LOGBRUSH brush = {BS_SOLID, color, 0};
        pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_ROUND, static_cast<DWORD>(width), &brush,
                           0, nullptr);
    }
    ScopedSelect selected(dc, pen, true);
    for (const std::vector<ChartPoint>& piece : DashedPieces(line, pattern)) {
        std::vector<POINT> points;
        points.reserve(piece.size());
        for (const ChartPoint& point : piece) points.push_back({point.x, point.y});
        Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
}

SIZE TextSize(HDC dc, const char* text) {
    SIZE size = {};
    if (*text) GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    return size;
}

void FillChartBox(HDC dc, COLORREF color, int left, int top, int right, int bottom) {
    ScopedBrush brush(dc, color);
    PatBlt(dc, left, top, right - left, bottom - top, PATCOPY);
}

void DrawBoldText(HDC dc, int x, int y, const char* text) {
    const int length = static_cast<int>(std::strlen(text));
    TextOutA(dc, x, y, text, length);
    TextOutA(dc, x + 1, y, text, length);
    NoteText(dc, text, x, y, 1);
}

namespace {
std::vector<PaintedText>* g_paintedTexts = nullptr;
POINT g_paintedOrigin = {0, 0};
}  // namespace

void NotePaintedTexts(std::vector<PaintedText>* list) { g_paintedTexts = list; }

PaintedTextOrigin::PaintedTextOrigin(int x, int y) : previous_(g_paintedOrigin) { g_paintedOrigin = {x, y}; }

PaintedTextOrigin::~PaintedTextOrigin() { g_paintedOrigin = previous_; }

void NoteText(HDC dc, const char* text, int x, int y, int extraWidth) {
    if (!g_paintedTexts || !*text) return;
    const SIZE size = TextSize(dc, text);
    RECT box = {x, y, x + size.cx + extraWidth, y + size.cy};
    // A text the clipping hides whole is not there; one it cuts is noted whole, cut or not.
    RECT clip = {}, seen = {};
    if (GetClipBox(dc, &clip) != ERROR && !IntersectRect(&seen, &box, &clip)) return;
    OffsetRect(&box, g_paintedOrigin.x, g_paintedOrigin.y);
    g_paintedTexts->push_back({text, box});
}

void NoteTextInBox(HDC dc, const char* text, const RECT& box, UINT format, int extraWidth) {
    if (!g_paintedTexts || !*text) return;
    const SIZE size = TextSize(dc, text);
    int x = box.left, y = box.top;
    if (format & DT_CENTER) x = (box.left + box.right - size.cx) / 2;
    else if (format & DT_RIGHT) x = box.right - size.cx;
    if (format & DT_VCENTER) y = (box.top + box.bottom - size.cy) / 2;
    NoteText(dc, text, x, y, extraWidth);
}

void drawSunkenFrame(HDC dc, int l, int t, int r, int b) {
    const Segment darkShadow[] = {{l + 1, t + 1, r - 1, t + 1}, {l + 1, t + 2, l + 1, b - 1}};
    const Segment highlight[] = {
        {l + 2, t + 2, r - 1, t + 2}, {l + 2, t + 3, l + 2, b - 1}, {l, b, r + 1, b}, {r, t, r, b}};
    const Segment face[] = {{l + 1, b - 1, r, b - 1}, {r - 1, t + 1, r - 1, b - 1}};
    const Segment shadow[] = {{l, t, r, t}, {l, t + 1, l, b}};
    DrawSegments(dc, COLOR_3DDKSHADOW, darkShadow, 2);
    DrawSegments(dc, COLOR_BTNHIGHLIGHT, highlight, 4);
    DrawSegments(dc, COLOR_BTNFACE, face, 2);
    DrawSegments(dc, COLOR_BTNSHADOW, shadow, 2);
}
