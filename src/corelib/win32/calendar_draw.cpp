#include "corelib/win32/calendar_internal.h"
#include "corelib/win32/dpi.h"
#include "corelib/win32/gdi_scope.h"

const char* const kWeekdayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

namespace {

int Clamp(int value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

}  // namespace

// The colours of the diary's first colour scheme.
CalendarColors DefaultCalendarColors() {
    return CalendarColors{RGB(188, 227, 153), RGB(172, 203, 149), RGB(211, 241, 215),
                          RGB(80, 80, 130),   RGB(180, 20, 70),   RGB(86, 89, 230)};
}

COLORREF ShadeColor(COLORREF color, int delta) {
    // Keep the palette-relative flag byte, so the shade is matched in the palette too.
    return (color & 0xFF000000u) |
           RGB(Clamp(GetRValue(color) + delta), Clamp(GetGValue(color) + delta), Clamp(GetBValue(color) + delta));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    ScopedBrush brush(dc, color);
    FillRect(dc, &rect, brush.brush());
}

void DrawBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF edge) {
    ScopedBrush brush(dc, fill);
    ScopedPen pen(dc, PS_SOLID, 1, edge);
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 5, 5);
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
    ScopedBrush brush(dc, color);
    ScopedPen pen(dc, PS_SOLID, 1, color);
    Polygon(dc, points, 3);
}

HFONT CreateCalendarFont(int height, bool bold) {
    return CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                       "ＭＳ ゴシック");
}

namespace {
int g_calendarDpi = 0;  // 0: the screen's
}  // namespace

int CalendarDpi() { return g_calendarDpi > 0 ? g_calendarDpi : ScreenDpi(); }

void SetCalendarDpi(int dpi) { g_calendarDpi = dpi > 0 ? dpi : 0; }

int ScaleToCalendar(int units) { return MulDiv(units, CalendarDpi(), kBaseDpi); }

void UseCalendarUnits(HDC dc) {
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kBaseDpi, kBaseDpi, nullptr);
    SetViewportExtEx(dc, CalendarDpi(), CalendarDpi(), nullptr);
}

RECT ScreenRectOf(const RECT& units) {
    return {ScaleToCalendar(units.left), ScaleToCalendar(units.top), ScaleToCalendar(units.right),
            ScaleToCalendar(units.bottom)};
}

POINT CalendarUnitsOf(POINT screen) {
    return {MulDiv(screen.x, kBaseDpi, CalendarDpi()), MulDiv(screen.y, kBaseDpi, CalendarDpi())};
}
