// The calendar's month view: one month as a grid, the days with records marked.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "corelib/calendar_month.h"
#include "corelib/utility.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/calendar_internal.h"
#include "corelib/win32/dpi.h"
#include "corelib/win32/gdi_scope.h"
#include "corelib/win32/window_classes.h"

namespace {

const char* const kMonthViewClass = "PLCalendarMonth";
const char* const kTodayText = "今日";

constexpr int kMargin = 6;
constexpr int kCellWidth = 30;
constexpr int kCellHeight = 22;
constexpr int kHeaderBottom = 30;
constexpr int kWeekdayTop = 34;
constexpr int kGridTop = 54;
constexpr int kGridRight = kMargin + kMonthGridColumns * kCellWidth;
constexpr int kGridBottom = kGridTop + kMonthGridRows * kCellHeight;
constexpr int kClientWidth = kGridRight + kMargin;
constexpr int kClientHeight = kGridBottom + 30;
constexpr RECT kPreviousRect = {kMargin, kMargin, kMargin + 28, kHeaderBottom - 2};
constexpr RECT kNextRect = {kClientWidth - kMargin - 28, kMargin, kClientWidth - kMargin, kHeaderBottom - 2};
constexpr RECT kTitleRect = {kMargin + 30, kMargin, kClientWidth - kMargin - 30, kHeaderBottom - 2};
constexpr RECT kTodayRect = {kClientWidth / 2 - 30, kGridBottom + 5, kClientWidth / 2 + 30, kGridBottom + 25};
constexpr int kFontHeight = 12;
constexpr int kScreenMargin = 8;  // between the view and the screen's edges

struct MonthView {
    HWND window = nullptr;
    HWND calendar = nullptr;
    int year = 2000;
    int month = 1;
    CalendarDate focus = {2000, 1, 1};  // the day the keys move
    CalendarDate shown = {0, 0, 0};     // the calendar's date, framed
    bool fromKeys = false;              // opened from the keyboard: the focus goes back to the bar
};
MonthView g_view;

CalendarDate ShownToday() {
    CalendarDate today = Today();
    return IsValidDate(today) ? today : CalendarDate{2000, 1, 1};
}

bool SameDate(const CalendarDate& a, const CalendarDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// The day `days` days on in the real calendar, kept within the calendar's years.
CalendarDate StepDays(const CalendarDate& date, int days) {
    CalendarDate moved = AddDays(date, days, LeapRule::kGregorian);
    if (moved.year < kFirstCalendarYear) return {kFirstCalendarYear, 1, 1};
    if (moved.year > kLastCalendarYear) return {kLastCalendarYear, 12, 31};
    return moved;
}

void ShowFocus(const CalendarDate& focus) {
    g_view.focus = focus;
    g_view.year = focus.year;
    g_view.month = focus.month;
    InvalidateRect(g_view.window, nullptr, FALSE);
}

void ChangeMonth(int delta) { ShowFocus(AddMonths(g_view.focus, delta)); }

const CalendarData* ViewCalendarData() { return g_view.calendar ? CalendarDataOf(g_view.calendar) : nullptr; }

// The bar's tips rest while the view is open: a tip shown under the mouse
// would lie over the view's title and buttons until the mouse moved.
void ShowCalendarTips(bool shown) {
    const CalendarData* data = ViewCalendarData();
    if (!data || !data->tips) return;
    if (!shown) {
        // A tip whose wait began before the click would still show: the mouse
        // is told to have left every part, which ends the wait, and the tip goes.
        RECT client = {};
        GetClientRect(g_view.calendar, &client);
        MSG away = {};
        away.hwnd = g_view.calendar;
        away.message = WM_MOUSEMOVE;
        away.lParam = MAKELPARAM(client.right + 1, client.bottom + 1);
        SendMessageA(data->tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&away));
        SendMessageA(data->tips, TTM_POP, 0, 0);
    }
    SendMessageA(data->tips, TTM_ACTIVATE, shown ? TRUE : FALSE, 0);
}

void MarkDays(bool marks[32]) {
    const CalendarData* data = ViewCalendarData();
    if (!data || data->dates.empty()) {
        MarkRecordDays(nullptr, 0, 0, g_view.year, g_view.month, marks);
        return;
    }
    MarkRecordDays(data->dates.front().data(), data->dates.size(), sizeof(RecordDate), g_view.year, g_view.month,
                   marks);
}

COLORREF WeekdayColor(const CalendarColors& colors, int column) {
    if (column == 0) return colors.sunday;
    if (column == 6) return colors.saturday;
    return colors.text;
}

void DrawHeader(HDC dc, const CalendarColors& colors) {
    RECT band = {0, 0, kClientWidth, kHeaderBottom + 2};
    FillSolid(dc, band, colors.face);
    COLORREF edge = ShadeColor(colors.edge, -40);
    COLORREF button = colors.button;
    COLORREF text = colors.text;
    DrawBox(dc, kPreviousRect, button, edge);
    DrawBox(dc, kNextRect, button, edge);
    DrawArrow(dc, kPreviousRect, -1, text);
    DrawArrow(dc, kNextRect, 1, text);
    char title[32];
    std::snprintf(title, sizeof title, "%d年%d月", g_view.year, g_view.month);
    ScopedFont font(dc, CreateCalendarFont(kFontHeight + 2, true));
    SetTextColor(dc, text);
    RECT titleRect = kTitleRect;
    DrawTextA(dc, title, -1, &titleRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// A day's cell in calendar units.
RECT DayCell(int year, int month, int day) {
    int cell = MonthGridCell(year, month, day);
    int row = cell / kMonthGridColumns;
    int column = cell % kMonthGridColumns;
    return RECT{kMargin + column * kCellWidth, kGridTop + row * kCellHeight, kMargin + (column + 1) * kCellWidth,
                kGridTop + (row + 1) * kCellHeight};
}

void DrawDays(HDC dc, const CalendarColors& colors) {
    bool marks[32];
    MarkDays(marks);
    CalendarDate today = ShownToday();
    COLORREF edge = ShadeColor(colors.edge, -40);
    COLORREF marked = colors.face;
    // The bold font is selected first, so that the plain one is selected for the weekday names.
    ScopedFont bold(dc, CreateCalendarFont(kFontHeight, true));
    ScopedFont font(dc, CreateCalendarFont(kFontHeight, false));
    for (int column = 0; column < kMonthGridColumns; ++column) {
        RECT cell = {kMargin + column * kCellWidth, kWeekdayTop, kMargin + (column + 1) * kCellWidth, kGridTop - 2};
        SetTextColor(dc, WeekdayColor(colors, column));
        DrawTextA(dc, kWeekdayNames[column], -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    RECT rule = {kMargin, kGridTop - 2, kGridRight, kGridTop - 1};
    FillSolid(dc, rule, edge);
    int days = DaysInMonth(g_view.year, g_view.month, LeapRule::kGregorian);
    for (int day = 1; day <= days; ++day) {
        RECT cell = DayCell(g_view.year, g_view.month, day);
        CalendarDate date = {g_view.year, g_view.month, day};
        RECT inner = {cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
        if (marks[day]) DrawBox(dc, inner, marked, edge);
        if (SameDate(date, g_view.shown)) {
            ScopedBrush frame(dc, colors.text);
            FrameRect(dc, &inner, frame.brush());
        }
        SelectObject(dc, marks[day] || SameDate(date, today) ? bold.font() : font.font());
        SetTextColor(dc, WeekdayColor(colors, WeekdayOf(date)));
        char number[4];
        std::snprintf(number, sizeof number, "%d", day);
        DrawTextA(dc, number, -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (SameDate(date, today)) {
            RECT underline = {cell.left + 8, cell.bottom - 4, cell.right - 8, cell.bottom - 3};
            FillSolid(dc, underline, colors.sunday);
        }
        if (SameDate(date, g_view.focus) && GetFocus() == g_view.window) {
            RECT focus = {cell.left + 3, cell.top + 3, cell.right - 3, cell.bottom - 3};
            DrawFocusRect(dc, &focus);
        }
    }
    SelectObject(dc, font.font());
    DrawBox(dc, kTodayRect, colors.button, edge);
    SetTextColor(dc, colors.text);
    RECT todayRect = kTodayRect;
    DrawTextA(dc, kTodayText, -1, &todayRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void OnPaint(HWND view) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view, &paint);
    {
        const CalendarData* data = ViewCalendarData();
        HPALETTE palette = data ? data->palette : nullptr;
        const CalendarColors colors = data ? data->colors : DefaultCalendarColors();
        const RECT screen = ScreenRectOf(RECT{0, 0, kClientWidth, kClientHeight});
        ScopedPalette windowPalette(dc, palette, true);
        OffscreenCanvas canvas(dc, palette, screen.right, screen.bottom, true);
        UseCalendarUnits(canvas.dc());
        RECT all = {0, 0, kClientWidth, kClientHeight};
        FillSolid(canvas.dc(), all, RGB(255, 255, 255));
        SetBkMode(canvas.dc(), TRANSPARENT);
        DrawHeader(canvas.dc(), colors);
        DrawDays(canvas.dc(), colors);
        SetMapMode(canvas.dc(), MM_TEXT);
        canvas.CopyTo(0, 0);
    }
    EndPaint(view, &paint);
}

// Closed by a pick or Escape. A view opened from the keyboard hands the focus
// back to the bar, as a date picker's drop-down does; one opened with the
// mouse leaves it where the closing puts it (the record table).
HWND CloseView() {
    HWND calendar = g_view.calendar;
    const bool fromKeys = g_view.fromKeys;
    DestroyWindow(g_view.window);
    if (!calendar || !IsWindow(calendar)) return nullptr;
    if (fromKeys) SetFocus(calendar);
    return calendar;
}

// The chosen day becomes the calendar's date, and the calendar's parent is
// asked to select its record.
void Pick(CalendarDate date) {  // a copy: closing the view forgets its focus
    HWND calendar = CloseView();
    if (!calendar) return;
    char text[kShownDateSize];
    FormatShownDate(date, text);
    SetWindowTextA(calendar, text);
    HWND parent = GetParent(calendar);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(kCalendarNavigateCommand, 0),
                     MAKELPARAM(kNavigateShownDate, 0));
}

void OnButtonDown(LPARAM lParam) {
    POINT point = CalendarUnitsOf(PointOfLParam(lParam));
    if (PtInRect(&kPreviousRect, point)) {
        ChangeMonth(-1);
        return;
    }
    if (PtInRect(&kNextRect, point)) {
        ChangeMonth(1);
        return;
    }
    if (PtInRect(&kTodayRect, point)) {
        ShowFocus(ShownToday());
        return;
    }
    if (point.x < kMargin || point.x >= kGridRight || point.y < kGridTop || point.y >= kGridBottom) return;
    int cell = (point.y - kGridTop) / kCellHeight * kMonthGridColumns + (point.x - kMargin) / kCellWidth;
    int day = DayOfMonthGridCell(g_view.year, g_view.month, cell);
    if (day != 0) Pick({g_view.year, g_view.month, day});
}

void OnKeyDown(WPARAM key) {
    switch (key) {
    case VK_LEFT: ShowFocus(StepDays(g_view.focus, -1)); break;
    case VK_RIGHT: ShowFocus(StepDays(g_view.focus, 1)); break;
    case VK_UP: ShowFocus(StepDays(g_view.focus, -7)); break;
    case VK_DOWN: ShowFocus(StepDays(g_view.focus, 7)); break;
    case VK_PRIOR: ChangeMonth(-1); break;
    case VK_NEXT: ChangeMonth(1); break;
    case VK_HOME: ShowFocus(ShownToday()); break;
    case VK_RETURN:
    case VK_SPACE: Pick(g_view.focus); break;
    case VK_ESCAPE: CloseView(); break;
    }
}

LRESULT CALLBACK MonthViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint(view);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(lParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_MOUSEWHEEL:
        ChangeMonth(static_cast<short>(HIWORD(wParam)) > 0 ? -1 : 1);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(view, nullptr, FALSE);
        return 0;
    case WM_ACTIVATE:
        // A click anywhere else closes the view, as a drop-down list does.
        if (LOWORD(wParam) == WA_INACTIVE) PostMessageA(view, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(view);
        return 0;
    case WM_DESTROY:
        if (g_view.window == view) {
            ShowCalendarTips(true);
            g_view = MonthView{};
        }
        return 0;
    }
    return DefWindowProcA(view, message, wParam, lParam);
}

}  // namespace

BOOL RegisterCalendarMonthViewClass(HINSTANCE instance) {
    WNDCLASSA viewClass = {};
    viewClass.style = CS_GLOBALCLASS | CS_DROPSHADOW;
    viewClass.lpfnWndProc = MonthViewProcedure;
    viewClass.hInstance = instance;
    viewClass.lpszClassName = kMonthViewClass;
    return RegisterClassOnce(viewClass) ? TRUE : FALSE;
}

HWND OpenCalendarMonthView(HWND calendar, bool fromKeys) {
    if (g_view.window) DestroyWindow(g_view.window);
    if (!calendar || !IsWindowEnabled(calendar)) return nullptr;
    char text[32] = "";
    GetWindowTextA(calendar, text, sizeof text);
    CalendarDate shown;
    bool hasDate = ParseShownDate(text, &shown);
    g_view.calendar = calendar;
    g_view.fromKeys = fromKeys;
    g_view.shown = hasDate ? shown : CalendarDate{0, 0, 0};
    g_view.focus = hasDate ? shown : ShownToday();
    g_view.year = g_view.focus.year;
    g_view.month = g_view.focus.month;

    RECT frame = ScreenRectOf(RECT{0, 0, kClientWidth, kClientHeight});
    DWORD style = WS_POPUP | WS_BORDER;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    POINT at = {ScreenRectOf(kCalendarDateRect).left - 2, ScreenRectOf(RECT{0, 0, 0, kCalendarHeight}).bottom - 4};
    ClientToScreen(calendar, &at);
    RECT work;
    HMONITOR monitor = MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {sizeof info, {}, {}, 0};
    if (GetMonitorInfoA(monitor, &info))
        work = info.rcWork;
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // A few pixels clear of the screen's edges, as a drop-down list keeps.
    InflateRect(&work, -ScaleToScreen(kScreenMargin), -ScaleToScreen(kScreenMargin));
    if (at.x + width > work.right) at.x = work.right - width;
    if (at.y + height > work.bottom) at.y = work.bottom - height;
    if (at.x < work.left) at.x = work.left;
    if (at.y < work.top) at.y = work.top;

    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(calendar, GWLP_HINSTANCE));
    g_view.window = CreateWindowExA(WS_EX_TOOLWINDOW, kMonthViewClass, "", style, at.x, at.y, width, height,
                                    GetAncestor(calendar, GA_ROOT), nullptr, instance, nullptr);
    if (!g_view.window) {
        g_view = MonthView{};
        return nullptr;
    }
    ShowCalendarTips(false);
    ShowWindow(g_view.window, SW_SHOW);
    SetFocus(g_view.window);
    return g_view.window;
}

HWND CalendarMonthView() { return g_view.window; }

bool MonthViewMonth(int* year, int* month) {
    if (!g_view.window) return false;
    *year = g_view.year;
    *month = g_view.month;
    return true;
}

RECT MonthViewDayRect(int year, int month, int day) { return ScreenRectOf(DayCell(year, month, day)); }

bool MonthViewMarksDay(int day) {
    if (!g_view.window || day < 1 || day > 31) return false;
    bool marks[32];
    MarkDays(marks);
    return marks[day];
}
