// Pieces the calendar bar and its month view share.
#ifndef PELMO_CORELIB_WIN32_CALENDAR_INTERNAL_H
#define PELMO_CORELIB_WIN32_CALENDAR_INTERNAL_H

#include <windows.h>

#include <array>
#include <vector>

#include "corelib/win32/calendar.h"

using RecordDate = std::array<char, 8>;  // "YYYYMMDD"

struct CalendarData {
    HPALETTE palette = nullptr;
    CalendarColors colors = DefaultCalendarColors();
    std::vector<RecordDate> dates;
    CalendarPart pressed = kPartNone;
    CalendarPart hot = kPartNone;
    bool tracking = false;
    HWND tips = nullptr;  // what each part does, shown while the mouse rests on it
};

// "日" .. "土", Sunday first.
extern const char* const kWeekdayNames[7];

CalendarData* CalendarDataOf(HWND calendar);
BOOL RegisterCalendarMonthViewClass(HINSTANCE instance);

// The signed client coordinates of a mouse message.
inline POINT PointOfLParam(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// color with each channel moved by delta (clamped).
COLORREF ShadeColor(COLORREF color, int delta);

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
// A box with a one-pixel frame and cut corners.
void DrawBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF edge);
// A small filled triangle pointing left (direction -1) or right (+1), or down (0), centred in rect.
void DrawArrow(HDC dc, const RECT& rect, int direction, COLORREF color);
// The calendar's text font (delete it with DeleteObject).
HFONT CreateCalendarFont(int height, bool bold);

// The calendar and its month view are drawn in units of a 96-DPI screen; on a
// screen of more dots per inch the mapping mode scales every coordinate, font
// and pen of the drawing, so the date text grows with the rest of the program.
void UseCalendarUnits(HDC dc);
RECT ScreenRectOf(const RECT& units);   // calendar units to screen pixels
POINT CalendarUnitsOf(POINT screen);    // screen pixels to calendar units

#endif
