#include "corelib/win32/calendar.h"

#include <commctrl.h>

#include <cstring>

#include "corelib/calendar_month.h"
#include "corelib/win32/calendar_internal.h"
#include "corelib/win32/gdi_scope.h"
#include "corelib/win32/window_classes.h"

const char* const kCalendarWindowClass = "PLCalendar";

namespace {

// Parts left to right: two arrows back, the date, two arrows forward.
constexpr RECT kPartRects[kCalendarPartCount] = {
    {4, 4, 34, 25},      // previous month
    {37, 4, 67, 25},     // previous record
    {193, 4, 223, 25},   // next record
    {226, 4, 253, 25},   // next month
    {71, 4, 189, 25},    // the date box around kCalendarDateRect
};
constexpr int kArrowDirections[kCalendarPartCount] = {-1, -1, 1, 1, 0};
constexpr int kPartRequests[kCalendarPartCount] = {kNavigatePreviousMonth, kNavigatePreviousRecord,
                                                   kNavigateNextRecord, kNavigateNextMonth, -1};
constexpr int kFontHeight = 12;
constexpr int kDropMarkWidth = 12;  // the month view's mark at the right of the date
const char* const kPartTips[kCalendarPartCount] = {"前の月", "前の記録", "次の記録", "次の月",
                                                   "日付をカレンダーから選ぶ"};

LRESULT SendRequest(HWND calendar, int code) {
    HWND parent = GetParent(calendar);
    if (!parent) return 0;
    return SendMessageA(parent, WM_COMMAND, MAKEWPARAM(kCalendarNavigateCommand, 0), MAKELPARAM(code, 0));
}

// Without common controls in the process the bar simply has no tips.
HWND CreateTips(HWND calendar) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(calendar, GWLP_HINSTANCE));
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, calendar, nullptr, instance, nullptr);
    if (!tips) return nullptr;
    for (int i = 0; i < kCalendarPartCount; ++i) {
        TTTOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = calendar;
        tool.uId = static_cast<UINT_PTR>(i);
        tool.rect = CalendarPartRect(static_cast<CalendarPart>(i));
        tool.lpszText = const_cast<char*>(kPartTips[i]);
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tips;
}

// The parts grow and shrink with the bar's DPI: the tips follow them.
void OnSize(HWND calendar) {
    CalendarData* data = CalendarDataOf(calendar);
    if (!data || !data->tips) return;
    for (int i = 0; i < kCalendarPartCount; ++i) {
        TTTOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = calendar;
        tool.uId = static_cast<UINT_PTR>(i);
        tool.rect = CalendarPartRect(static_cast<CalendarPart>(i));
        SendMessageA(data->tips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    InvalidateRect(calendar, nullptr, FALSE);
}

void OnCreate(HWND calendar) {
    CalendarData* data = new CalendarData;
    SetWindowLongPtrA(calendar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    data->tips = CreateTips(calendar);
}

void OnNcDestroy(HWND calendar) {
    if (CalendarMonthView() && GetWindow(CalendarMonthView(), GW_OWNER) == GetAncestor(calendar, GA_ROOT))
        DestroyWindow(CalendarMonthView());
    CalendarData* data = CalendarDataOf(calendar);
    if (data && data->tips) DestroyWindow(data->tips);
    delete data;
    SetWindowLongPtrA(calendar, GWLP_USERDATA, 0);
}

void OnSetDates(HWND calendar, const CalendarDates* dates) {
    CalendarData* data = CalendarDataOf(calendar);
    if (!data) return;
    std::size_t count = dates && dates->first ? dates->count : 0;
    data->dates.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        std::memcpy(data->dates[i].data(), dates->first + i * dates->stride, data->dates[i].size());
    if (CalendarMonthView()) InvalidateRect(CalendarMonthView(), nullptr, FALSE);
}

void OnSetColors(HWND calendar, const CalendarColors* colors) {
    if (CalendarData* data = CalendarDataOf(calendar)) data->colors = colors ? *colors : DefaultCalendarColors();
    InvalidateRect(calendar, nullptr, FALSE);
    if (CalendarMonthView()) InvalidateRect(CalendarMonthView(), nullptr, FALSE);
}

void DrawDate(HDC dc, HWND calendar, const CalendarColors& colors) {
    char text[32] = "";
    GetWindowTextA(calendar, text, sizeof text);
    RECT dateRect = kCalendarDateRect;
    dateRect.right -= kDropMarkWidth;
    SetBkMode(dc, TRANSPARENT);
    bool enabled = IsWindowEnabled(calendar) != FALSE;
    COLORREF ink = enabled ? colors.text : GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, ink);
    ScopedFont font(dc, CreateCalendarFont(kFontHeight, true));
    // The weekday follows the date when both fit.
    CalendarDate date;
    char shown[48];
    lstrcpynA(shown, text, sizeof shown);
    if (ParseShownDate(text, &date)) {
        char withWeekday[48];
        wsprintfA(withWeekday, "%s(%s)", text, kWeekdayNames[WeekdayOf(date)]);
        SIZE size = {};
        GetTextExtentPoint32A(dc, withWeekday, lstrlenA(withWeekday), &size);
        if (size.cx <= dateRect.right - dateRect.left) lstrcpynA(shown, withWeekday, sizeof shown);
    }
    DrawTextA(dc, shown, -1, &dateRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RECT mark = {kCalendarDateRect.right - kDropMarkWidth, kCalendarDateRect.top, kCalendarDateRect.right - 2,
                 kCalendarDateRect.bottom};
    DrawArrow(dc, mark, 0, ink);
}

// client: the calendar's client area in calendar units.
void DrawBar(HDC dc, HWND calendar, const CalendarData& data, const RECT& client) {
    const COLORREF face = data.colors.face;
    const COLORREF edge = data.colors.edge;
    const COLORREF button = data.colors.button;
    const COLORREF text = data.colors.text;
    FillSolid(dc, client, face);
    RECT shadow = {client.left, client.bottom - 3, client.right, client.bottom};
    FillSolid(dc, shadow, ShadeColor(edge, -25));
    bool enabled = IsWindowEnabled(calendar) != FALSE;
    for (int i = 0; i < kCalendarPartCount; ++i) {
        CalendarPart part = static_cast<CalendarPart>(i);
        bool down = data.pressed == part && data.hot == part;
        COLORREF fill = part == kPartDate ? RGB(255, 255, 255) : down ? edge : data.hot == part ? ShadeColor(button, 10) : button;
        DrawBox(dc, kPartRects[i], fill, ShadeColor(edge, -40));
        if (part == kPartDate) continue;
        RECT arrow = kPartRects[i];
        COLORREF ink = enabled ? text : GetSysColor(COLOR_GRAYTEXT);
        if (part == kPartPreviousMonth || part == kPartNextMonth) {
            // Two arrows: a month at a time.
            RECT first = arrow, second = arrow;
            first.right = (arrow.left + arrow.right) / 2 + 2;
            second.left = (arrow.left + arrow.right) / 2 - 2;
            DrawArrow(dc, first, kArrowDirections[i], ink);
            DrawArrow(dc, second, kArrowDirections[i], ink);
        } else {
            DrawArrow(dc, arrow, kArrowDirections[i], ink);
        }
    }
    DrawDate(dc, calendar, data.colors);
    if (GetFocus() == calendar) {
        RECT focus = kPartRects[kPartDate];
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}

// Drawn off screen in one go, so the bar never flickers while the list is scrolled.
void OnPaint(HWND calendar) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(calendar, &paint);
    const CalendarData* data = CalendarDataOf(calendar);
    RECT client;
    GetClientRect(calendar, &client);
    {
        HPALETTE palette = data ? data->palette : nullptr;
        ScopedPalette windowPalette(dc, palette, true);
        OffscreenCanvas canvas(dc, palette, client.right, client.bottom, true);
        if (data) {
            UseCalendarUnits(canvas.dc());
            const POINT corner = CalendarUnitsOf({client.right, client.bottom});
            DrawBar(canvas.dc(), calendar, *data, RECT{0, 0, corner.x, corner.y});
            SetMapMode(canvas.dc(), MM_TEXT);
        }
        canvas.CopyTo(0, 0);
    }
    EndPaint(calendar, &paint);
}

void SetHot(HWND calendar, CalendarData* data, CalendarPart hot) {
    if (data->hot == hot) return;
    data->hot = hot;
    InvalidateRect(calendar, nullptr, FALSE);
}

void OnMouseMove(HWND calendar, LPARAM lParam) {
    CalendarData* data = CalendarDataOf(calendar);
    if (!data) return;
    if (!data->tracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, calendar, 0};
        data->tracking = TrackMouseEvent(&track) != FALSE;
    }
    SetHot(calendar, data, CalendarPartAt(PointOfLParam(lParam)));
}

void OnMouseLeave(HWND calendar) {
    CalendarData* data = CalendarDataOf(calendar);
    if (!data) return;
    data->tracking = false;
    SetHot(calendar, data, kPartNone);
}

void OnButtonDown(HWND calendar, LPARAM lParam) {
    CalendarData* data = CalendarDataOf(calendar);
    if (!data) return;
    CalendarPart part = CalendarPartAt(PointOfLParam(lParam));
    if (part == kPartNone) return;
    if (data->tips) SendMessageA(data->tips, TTM_POP, 0, 0);
    if (part == kPartDate) {
        OpenCalendarMonthView(calendar);
        return;
    }
    data->pressed = part;
    data->hot = part;
    SetCapture(calendar);
    InvalidateRect(calendar, nullptr, FALSE);
}

// A button acts when it is released over itself, as push buttons do.
void OnButtonUp(HWND calendar, LPARAM lParam) {
    CalendarData* data = CalendarDataOf(calendar);
    if (!data || data->pressed == kPartNone) return;
    CalendarPart pressed = data->pressed;
    data->pressed = kPartNone;
    if (GetCapture() == calendar) ReleaseCapture();
    InvalidateRect(calendar, nullptr, FALSE);
    if (CalendarPartAt(PointOfLParam(lParam)) != pressed) return;
    if (SendRequest(calendar, CalendarPartRequest(pressed)) == 0) MessageBeep(MB_OK);
}

// The keys do what the buttons do; the record table follows as for a click.
int KeyRequest(WPARAM key) {
    switch (key) {
    case VK_LEFT: case VK_UP: return kNavigatePreviousRecord;
    case VK_RIGHT: case VK_DOWN: return kNavigateNextRecord;
    case VK_PRIOR: return kNavigatePreviousMonth;
    case VK_NEXT: return kNavigateNextMonth;
    default: return -1;
    }
}

void OnKeyDown(HWND calendar, WPARAM key) {
    if (!IsWindowEnabled(calendar)) return;
    if (key == VK_RETURN || key == VK_SPACE || key == VK_F4) {
        OpenCalendarMonthView(calendar, true);
        return;
    }
    const int request = KeyRequest(key);
    if (request >= 0 && SendRequest(calendar, request) == 0) MessageBeep(MB_OK);
}

void OnCaptureChanged(HWND calendar) {
    CalendarData* data = CalendarDataOf(calendar);
    if (!data || data->pressed == kPartNone) return;
    data->pressed = kPartNone;
    InvalidateRect(calendar, nullptr, FALSE);
}

LRESULT CALLBACK CalendarProcedure(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(calendar);
        return 0;
    case WM_NCDESTROY:
        OnNcDestroy(calendar);
        break;
    case kCalendarSetPalette:
        if (CalendarData* data = CalendarDataOf(calendar)) data->palette = reinterpret_cast<HPALETTE>(wParam);
        InvalidateRect(calendar, nullptr, FALSE);
        return 0;
    case kCalendarSetDates:
        OnSetDates(calendar, reinterpret_cast<const CalendarDates*>(wParam));
        return 0;
    case kCalendarSetColors:
        OnSetColors(calendar, reinterpret_cast<const CalendarColors*>(wParam));
        return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(calendar, message, wParam, lParam);
        RECT date = ScreenRectOf(kCalendarDateRect);
        InvalidateRect(calendar, &date, FALSE);
        return result;
    }
    case WM_ENABLE:
        InvalidateRect(calendar, nullptr, FALSE);
        return 0;
    case WM_SIZE:
        OnSize(calendar);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint(calendar);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(calendar, lParam);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave(calendar);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(calendar, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(calendar, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(calendar);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(calendar, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(calendar, wParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam != VK_DOWN) break;
        if (IsWindowEnabled(calendar)) OpenCalendarMonthView(calendar, true);
        return 0;
    }
    return DefWindowProcA(calendar, message, wParam, lParam);
}

}  // namespace

CalendarData* CalendarDataOf(HWND calendar) {
    return reinterpret_cast<CalendarData*>(GetWindowLongPtrA(calendar, GWLP_USERDATA));
}

RECT CalendarPartRect(CalendarPart part) {
    if (part < 0 || part >= kCalendarPartCount) return RECT{0, 0, 0, 0};
    return ScreenRectOf(kPartRects[part]);
}

CalendarPart CalendarPartAt(POINT screenPoint) {
    const POINT point = CalendarUnitsOf(screenPoint);
    for (int i = 0; i < kCalendarPartCount; ++i)
        if (PtInRect(&kPartRects[i], point)) return static_cast<CalendarPart>(i);
    return kPartNone;
}

int CalendarPartRequest(CalendarPart part) {
    if (part < 0 || part >= kCalendarPartCount) return -1;
    return kPartRequests[part];
}

BOOL RegisterCalendarClass(HINSTANCE instance) {
    WNDCLASSA calendarClass = {};
    calendarClass.style = CS_GLOBALCLASS | CS_DBLCLKS;
    calendarClass.lpfnWndProc = CalendarProcedure;
    calendarClass.hInstance = instance;
    calendarClass.lpszClassName = kCalendarWindowClass;
    return RegisterClassOnce(calendarClass) && RegisterCalendarMonthViewClass(instance) ? TRUE : FALSE;
}
