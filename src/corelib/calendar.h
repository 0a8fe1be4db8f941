// PLCalendar: the date bar at the top right of the diary window. It shows the
// date its window text holds ("YYYY/MM/DD"), and its buttons and month view
// ask the parent to move the record table's selection through navigation
// requests; the parent then sets the new date as the window text.
#ifndef PELMO_CORELIB_CALENDAR_H
#define PELMO_CORELIB_CALENDAR_H

#include <windows.h>

extern const char* const kCalendarWindowClass;  // "PLCalendar"

// wParam: the chart palette (HPALETTE) the calendar draws with.
constexpr UINT kCalendarSetPalette = WM_USER;
// wParam: the record block (const DailyRecord*, may be null), lParam: the record count.
// The calendar keeps only the dates, so the block may move afterwards.
constexpr UINT kCalendarSetRecords = WM_USER + 2;

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

// Measures on a 96-DPI screen; the calendar scales them to the screen's DPI
// (corelib/dpi.h). Where the shown date is drawn:
constexpr RECT kCalendarDateRect = {73, 6, 187, 22};
constexpr int kCalendarWidth = 274;   // the last 18 pixels lie past the parent's right edge
constexpr int kCalendarHeight = 37;
constexpr int kCalendarVisibleWidth = 256;

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
// In the calendar's client pixels, at the screen's DPI.
RECT CalendarPartRect(CalendarPart part);
CalendarPart CalendarPartAt(POINT point);
// The navigation request each arrow asks for (kPartDate: none, -1).
int CalendarPartRequest(CalendarPart part);

// The month view: a popup below the bar with the month of the shown date,
// its days with records marked. Picking a day makes it the calendar's text
// and sends kNavigateShownDate; Escape or a click elsewhere closes it.
HWND OpenCalendarMonthView(HWND calendar);
HWND CalendarMonthView();  // the open month view, or null
// The month the view shows; false without a view.
bool MonthViewMonth(int* year, int* month);
// A day's cell in the view's client area, for a month the view shows.
RECT MonthViewDayRect(int year, int month, int day);
// Whether the view marks day (of the month it shows) as having a record.
bool MonthViewMarksDay(int day);

#endif
