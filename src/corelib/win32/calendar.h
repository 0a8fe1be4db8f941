// PLCalendar: the date bar at the top right of the diary window. It shows the
// date its window text holds ("YYYY/MM/DD"), and its buttons and month view
// ask the parent to move the record table's selection through navigation
// requests; the parent then sets the new date as the window text.
// With the focus (a frame round the date) the keys do what the buttons do:
// Left/Up the previous record, Right/Down the next, PageUp/PageDown the
// previous/next month; Enter, Space, F4 or Alt+Down open the month view.
#ifndef PELMO_CORELIB_WIN32_CALENDAR_H
#define PELMO_CORELIB_WIN32_CALENDAR_H

#include <windows.h>

#include <cstddef>

extern const char* const kCalendarWindowClass;  // "PLCalendar"

// The days the month view marks: count dates of 8 ASCII digits "YYYYMMDD",
// stride bytes apart from first (first may be null: no dates).
struct CalendarDates {
    const char* first;
    std::size_t count;
    std::size_t stride;
};

// The colours the bar and the month view are drawn in.
struct CalendarColors {
    COLORREF face;      // the bar, marked days
    COLORREF edge;      // edges, pressed buttons
    COLORREF button;    // buttons
    COLORREF text;
    COLORREF sunday;
    COLORREF saturday;
};
// The colours of a calendar that was given none.
CalendarColors DefaultCalendarColors();

// wParam: the palette (HPALETTE, may be null) selected while the calendar paints.
constexpr UINT kCalendarSetPalette = WM_USER;
// wParam: const CalendarDates* (null: none). The calendar keeps a copy of the
// dates, so they may move afterwards.
constexpr UINT kCalendarSetDates = WM_USER + 2;
// wParam: const CalendarColors* (null: the default colours).
constexpr UINT kCalendarSetColors = WM_USER + 3;

// Navigation requests reach the parent as WM_COMMAND, wParam MAKEWPARAM(1025, 0),
// lParam MAKELPARAM(code, line). The parent answers 0 when it cannot move.
constexpr WORD kCalendarNavigateCommand = 1025;
enum CalendarNavigation : WORD {
    kNavigateNextRecord = 0,
    kNavigatePreviousRecord = 1,
    kNavigateNextMonth = 2,
    kNavigatePreviousMonth = 3,
    kNavigateSelectLine = 4,   // the line in the high word of lParam
    kNavigateShownDate = 5,    // the record of the date in the calendar's text
};

// Measures on a 96-DPI screen; the calendar scales them to CalendarDpi (the
// screen's DPI, corelib/win32/dpi.h, where there is room). Where the shown date is drawn:
constexpr RECT kCalendarDateRect = {73, 6, 187, 22};
constexpr int kCalendarWidth = 274;   // the last 18 pixels lie past the parent's right edge
constexpr int kCalendarHeight = 37;
constexpr int kCalendarVisibleWidth = 256;

// The dots per inch the bar and its month view are drawn for: the screen's,
// or fewer while the diary window leaves the bar less room than that.
int CalendarDpi();
void SetCalendarDpi(int dpi);  // 0: the screen's
// Calendar units (pixels of a 96-DPI screen) at CalendarDpi.
int ScaleToCalendar(int units);

BOOL RegisterCalendarClass(HINSTANCE instance);

// The parts of the bar a person clicks.
enum CalendarPart : int {
    kPartPreviousMonth = 0,
    kPartPreviousRecord,
    kPartNextRecord,
    kPartNextMonth,
    kPartDate,        // opens the month view
    kCalendarPartCount,
    kPartNone = -1,
};
// In the calendar's client pixels, at CalendarDpi.
RECT CalendarPartRect(CalendarPart part);
CalendarPart CalendarPartAt(POINT point);
// The navigation request each arrow asks for (kPartDate: none, -1).
int CalendarPartRequest(CalendarPart part);

// The month view: a popup below the bar with the month of the shown date,
// its days with records marked. Picking a day makes it the calendar's text
// and sends kNavigateShownDate; Escape or a click elsewhere closes it.
// fromKeys: a pick or Escape gives the focus back to the bar.
HWND OpenCalendarMonthView(HWND calendar, bool fromKeys = false);
HWND CalendarMonthView();  // the open month view, or null
// The month the view shows; false without a view.
bool MonthViewMonth(int* year, int* month);
// A day's cell in the view's client area, for a month the view shows.
RECT MonthViewDayRect(int year, int month, int day);
// Whether the view marks day (of the month it shows) as having a record.
bool MonthViewMarksDay(int day);

#endif
