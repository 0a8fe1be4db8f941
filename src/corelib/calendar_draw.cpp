#include "corelib/calendar_internal.h"

#include "corelib/dpi.h"

namespace {

// The scheme-0 colours of the chart palette, for a calendar not yet given one.
COLORREF FallbackColor(int index) {
    switch (index) {
    case kCalendarFace: return RGB(188, 227, 153);
    case kCalendarEdge: return RGB(172, 203, 149);
    case kCalendarButton: return RGB(211, 241, 215);
    case kCalendarText: return RGB(80, 80, 130);
    case kCalendarSunday: return RGB(180, 20, 70);
    case kCalendarSaturday: return RGB(86, 89, 230);
    case kCalendarPaper: return RGB(255, 255, 230);
    }
    return GetSysColor(COLOR_BTNFACE);
}

int Clamp(int value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

}  // namespace

COLORREF CalendarColorOf(HPALETTE palette, int index) {
    PALETTEENTRY entry;
    if (palette && GetPaletteEntries(palette, static_cast<UINT>(index), 1, &entry) == 1)
        return PALETTERGB(entry.peRed, entry.peGreen, entry.peBlue);
    return FallbackColor(index);
}

COLORREF ShadeColor(COLORREF color, int delta) {
    // Keep the palette-relative flag byte, so the shade is matched in the palette too.
    return (color & 0xFF000000u) |
           RGB(Clamp(GetRValue(color) + delta), Clamp(GetGValue(color) + delta), Clamp(GetBValue(color) + delta));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void DrawBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF edge) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 5, 5);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void DrawArrow(HDC dc, const RECT& rect, int direction, COLORREF color) {
    int cx = (rect.left + rect.right) / 2;
    int cy = (rect.top + rect.bottom) / 2;
    POINT points[3];
    if (direction == 0) {
        points[0] = {cx - 4, cy - 2};
        points[1] = {cx + 4, cy - 2};
        points[2] = {cx, cy + 2};
    } else {
        int tip = cx + 3 * direction;
        int back = cx - 3 * direction;
        points[0] = {tip, cy};
        points[1] = {back, cy - 5};
        points[2] = {back, cy + 5};
    }
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, points, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

HFONT CreateCalendarFont(int height, bool bold) {
    return CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                       "ＭＳ ゴシック");
}

void UseCalendarUnits(HDC dc) {
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kBaseDpi, kBaseDpi, nullptr);
    SetViewportExtEx(dc, ScreenDpi(), ScreenDpi(), nullptr);
}

RECT ScreenRectOf(const RECT& units) {
    return {ScaleToScreen(units.left), ScaleToScreen(units.top), ScaleToScreen(units.right), ScaleToScreen(units.bottom)};
}

POINT CalendarUnitsOf(POINT screen) {
    return {MulDiv(screen.x, kBaseDpi, ScreenDpi()), MulDiv(screen.y, kBaseDpi, ScreenDpi())};
}
