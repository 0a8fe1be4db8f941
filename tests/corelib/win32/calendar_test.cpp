// PLCalendar as the diary window meets it: the text it shows, the navigation
// requests its arrows send, its month view, and its colours from the palette.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "corelib/calendar_month.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/window_classes.h"
#include "corelib/win32/dpi.h"

namespace {

struct Request {
    WORD code;
    WORD line;
};
std::vector<Request> g_requests;
LRESULT g_answer = 1;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kCalendarNavigateCommand) {
        g_requests.push_back({LOWORD(lParam), HIWORD(lParam)});
        return g_answer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LPARAM At(POINT point) { return MAKELPARAM(point.x, point.y); }

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class Calendar : public ::testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        ASSERT_TRUE(RegisterWindowsStandardClass(instance));
        WNDCLASSA parentClass = {};
        parentClass.lpfnWndProc = ParentProc;
        parentClass.hInstance = instance;
        parentClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        parentClass.lpszClassName = "CalendarTestParent";
        RegisterClassA(&parentClass);
        parent_ = CreateWindowA("CalendarTestParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500, 300, nullptr,
                                nullptr, instance, nullptr);
        ASSERT_NE(parent_, nullptr);
        calendar_ = CreateWindowA(kCalendarWindowClass, "2007/01/05", WS_CHILD | WS_VISIBLE, 200, 0, kCalendarWidth,
                                  kCalendarHeight, parent_, reinterpret_cast<HMENU>(2), instance, nullptr);
        ASSERT_NE(calendar_, nullptr);
        g_requests.clear();
        g_answer = 1;
        Pump();
    }
    void TearDown() override {
        if (CalendarMonthView()) DestroyWindow(CalendarMonthView());
        DestroyWindow(parent_);
        for (HPALETTE palette : palettes_) DeleteObject(palette);
        Pump();
    }

    void Click(CalendarPart part) { ClickAt(Centre(CalendarPartRect(part))); }
    void ClickAt(POINT point) {
        SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, At(point));
        SendMessageA(calendar_, WM_LBUTTONUP, 0, At(point));
    }
    std::string Text() const {
        char text[64] = {};
        GetWindowTextA(calendar_, text, sizeof text);
        return text;
    }
    // Records with these dates, each date at the start of a record as the diary keeps them.
    void SetRecords(const std::vector<const char*>& dates) {
        records_.assign(dates.size() * kRecordSize, 'x');
        for (std::size_t i = 0; i < dates.size(); ++i) std::memcpy(&records_[i * kRecordSize], dates[i], 8);
        const CalendarDates told = {records_.data(), dates.size(), kRecordSize};
        SendMessageA(calendar_, kCalendarSetDates, reinterpret_cast<WPARAM>(&told), 0);
    }
    HPALETTE Palette(BYTE red, BYTE green, BYTE blue) {
        std::vector<BYTE> block(sizeof(LOGPALETTE) + 53 * sizeof(PALETTEENTRY));
        LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(block.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = 54;
        PALETTEENTRY* entries = logical->palPalEntry;
        for (int i = 0; i < 54; ++i) entries[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
        entries[45] = {red, green, blue, 0};
        HPALETTE palette = CreatePalette(logical);
        palettes_.push_back(palette);
        return palette;
    }
    COLORREF PixelAt(int x, int y) {
        RedrawWindow(calendar_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(calendar_);
        COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(calendar_, dc);
        return color;
    }

    static constexpr std::size_t kRecordSize = 40;
    HWND parent_ = nullptr;
    HWND calendar_ = nullptr;
    std::vector<char> records_;
    std::vector<HPALETTE> palettes_;
};

TEST_F(Calendar, EachArrowAsksForItsMove) {
    Click(kPartNextRecord);
    Click(kPartPreviousRecord);
    Click(kPartNextMonth);
    Click(kPartPreviousMonth);
    ASSERT_EQ(g_requests.size(), 4u);
    EXPECT_EQ(g_requests[0].code, kNavigateNextRecord);
    EXPECT_EQ(g_requests[1].code, kNavigatePreviousRecord);
    EXPECT_EQ(g_requests[2].code, kNavigateNextMonth);
    EXPECT_EQ(g_requests[3].code, kNavigatePreviousMonth);
    // The request codes the diary window's navigation understands.
    EXPECT_EQ(kCalendarNavigateCommand, 1025);
    EXPECT_EQ(CalendarPartRequest(kPartDate), -1);
}

// Rows of the date box that carry ink of the date text (the box is white).
int DateInkHeight(HWND calendar) {
    RedrawWindow(calendar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT box = CalendarPartRect(kPartDate);
    HDC dc = GetDC(calendar);
    int first = -1, last = -1;
    for (int y = box.top + 2; y < box.bottom - 2; ++y)
        for (int x = box.left + 2; x < box.right - 2; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 450) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    ReleaseDC(calendar, dc);
    return first < 0 ? 0 : last - first + 1;
}

// On a 192-DPI screen every part of the bar and the date text are twice as
// large, and the arrows answer where they are drawn.
TEST_F(Calendar, GrowsWithTheScreenDpi) {
    const RECT small = CalendarPartRect(kPartNextMonth);
    const int smallInk = DateInkHeight(calendar_);
    SetScreenDpi(192);
    MoveWindow(calendar_, 0, 0, ScaleToScreen(kCalendarWidth), ScaleToScreen(kCalendarHeight), TRUE);
    const RECT large = CalendarPartRect(kPartNextMonth);
    EXPECT_EQ(large.left, 2 * small.left);
    EXPECT_EQ(large.bottom, 2 * small.bottom);
    const int largeInk = DateInkHeight(calendar_);
    Click(kPartNextMonth);
    ClickAt({large.right + 2, large.top + 2});  // past the last arrow: nothing
    SetScreenDpi(0);
    EXPECT_GE(smallInk, 7);
    EXPECT_GE(largeInk, 2 * smallInk - 2) << smallInk;
    ASSERT_EQ(g_requests.size(), 1u);
    EXPECT_EQ(g_requests[0].code, kNavigateNextMonth);
}

TEST_F(Calendar, AButtonReleasedElsewhereAsksNothing) {
    POINT down = Centre(CalendarPartRect(kPartNextRecord));
    POINT up = Centre(CalendarPartRect(kPartNextMonth));
    SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, At(down));
    SendMessageA(calendar_, WM_LBUTTONUP, 0, At(up));
    ClickAt({1, 34});  // the bar's edge below the buttons
    EXPECT_TRUE(g_requests.empty());
}

TEST_F(Calendar, TheWindowTextIsTheShownDate) {
    EXPECT_EQ(Text(), "2007/01/05");
    SetWindowTextA(calendar_, "2026/12/07");
    EXPECT_EQ(Text(), "2026/12/07");
    // The date lies in the place the record table invalidates, inside the date box.
    RECT box = CalendarPartRect(kPartDate);
    RECT inside;
    EXPECT_TRUE(IntersectRect(&inside, &box, &kCalendarDateRect));
    EXPECT_TRUE(EqualRect(&inside, &kCalendarDateRect));
    // Every part a person clicks lies in the visible part of the bar.
    for (int part = 0; part < kCalendarPartCount; ++part)
        EXPECT_LE(CalendarPartRect(static_cast<CalendarPart>(part)).right, kCalendarVisibleWidth) << part;
}

TEST_F(Calendar, MonthViewShowsTheShownMonthWithItsRecordDays) {
    SetRecords({"20061231", "20070105", "20070131", "20070201"});
    Click(kPartDate);
    HWND view = CalendarMonthView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(IsWindowVisible(view));
    int year = 0, month = 0;
    ASSERT_TRUE(MonthViewMonth(&year, &month));
    EXPECT_EQ(year, 2007);
    EXPECT_EQ(month, 1);
    for (int day = 1; day <= 31; ++day) EXPECT_EQ(MonthViewMarksDay(day), day == 5 || day == 31) << day;
    // Page Down: the next month, with its own marks.
    SendMessageA(view, WM_KEYDOWN, VK_NEXT, 0);
    ASSERT_TRUE(MonthViewMonth(&year, &month));
    EXPECT_EQ(month, 2);
    EXPECT_TRUE(MonthViewMarksDay(1));
    EXPECT_FALSE(MonthViewMarksDay(5));
    // Records told later (a day added) are marked at once.
    SetRecords({"20070201", "20070214"});
    EXPECT_TRUE(MonthViewMarksDay(14));
    EXPECT_TRUE(g_requests.empty()) << "looking around asks nothing";
}

TEST_F(Calendar, PickingADayMakesItTheDateAndAsksForItsRecord) {
    SetRecords({"20070105", "20070131"});
    Click(kPartDate);
    HWND view = CalendarMonthView();
    ASSERT_NE(view, nullptr);
    RECT cell = MonthViewDayRect(2007, 1, 31);
    POINT centre = Centre(cell);
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(centre));
    EXPECT_EQ(CalendarMonthView(), nullptr) << "picking closes the view";
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(Text(), "2007/01/31");
    ASSERT_EQ(g_requests.size(), 1u);
    EXPECT_EQ(g_requests[0].code, kNavigateShownDate);
}

TEST_F(Calendar, MonthViewKeysMoveAcrossMonthsAndEnterPicks) {
    SetWindowTextA(calendar_, "2007/01/31");
    Click(kPartDate);
    HWND view = CalendarMonthView();
    ASSERT_NE(view, nullptr);
    SendMessageA(view, WM_KEYDOWN, VK_RIGHT, 0);  // to February 1st
    int year = 0, month = 0;
    ASSERT_TRUE(MonthViewMonth(&year, &month));
    EXPECT_EQ(month, 2);
    SendMessageA(view, WM_KEYDOWN, VK_UP, 0);     // a week back: January 25th
    SendMessageA(view, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Text(), "2007/01/25");
    ASSERT_EQ(g_requests.size(), 1u);
    EXPECT_EQ(g_requests[0].code, kNavigateShownDate);
}

TEST_F(Calendar, EscapeClosesTheMonthViewWithoutAChange) {
    Click(kPartDate);
    HWND view = CalendarMonthView();
    ASSERT_NE(view, nullptr);
    SendMessageA(view, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(CalendarMonthView(), nullptr);
    EXPECT_EQ(Text(), "2007/01/05");
    EXPECT_TRUE(g_requests.empty());
}

TEST_F(Calendar, ADisabledCalendarOpensNoMonthView) {
    // A modal dialog is open: the calendar takes no input.
    EnableWindow(calendar_, FALSE);
    SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(CalendarPartRect(kPartDate))));
    EXPECT_EQ(CalendarMonthView(), nullptr);
}

TEST_F(Calendar, TheRecordsBlockMayGoAwayAfterItWasTold) {
    SetRecords({"20070105"});
    records_.clear();
    records_.shrink_to_fit();
    Click(kPartDate);
    EXPECT_TRUE(MonthViewMarksDay(5));
    const CalendarDates none = {nullptr, 5, 8};
    SendMessageA(calendar_, kCalendarSetDates, reinterpret_cast<WPARAM>(&none), 0);  // no block: no records, whatever the count
    EXPECT_FALSE(MonthViewMarksDay(5));
}

TEST_F(Calendar, TheBarIsPaintedInTheFaceColourItWasGiven) {
    CalendarColors colors = DefaultCalendarColors();
    colors.face = RGB(140, 210, 160);
    SendMessageA(calendar_, kCalendarSetColors, reinterpret_cast<WPARAM>(&colors), 0);
    EXPECT_EQ(PixelAt(1, 28), RGB(140, 210, 160));
    // A palette-relative colour, matched in the palette the calendar was given.
    colors.face = PALETTERGB(255, 215, 170);
    SendMessageA(calendar_, kCalendarSetPalette, reinterpret_cast<WPARAM>(Palette(255, 215, 170)), 0);
    SendMessageA(calendar_, kCalendarSetColors, reinterpret_cast<WPARAM>(&colors), 0);
    EXPECT_EQ(PixelAt(1, 28), RGB(255, 215, 170));
}

}  // namespace

// The calendar of a maximized frame reaches past the screen's right edge; its
// month view stays whole inside the monitor's work area, border and all.
TEST_F(Calendar, TheMonthViewOfACalendarAtTheScreensEdgeStaysInsideTheWorkArea) {
    ShowWindow(parent_, SW_MAXIMIZE);
    RECT client;
    GetClientRect(parent_, &client);
    MoveWindow(calendar_, client.right - kCalendarVisibleWidth, 0, kCalendarWidth, kCalendarHeight, TRUE);
    Pump();
    Click(kPartDate);
    HWND view = CalendarMonthView();
    ASSERT_NE(view, nullptr);
    RECT frame;
    GetWindowRect(view, &frame);
    MONITORINFO monitor = {sizeof monitor, {}, {}, 0};
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(view, MONITOR_DEFAULTTONEAREST), &monitor));
    RECT inside;
    IntersectRect(&inside, &frame, &monitor.rcWork);
    EXPECT_TRUE(EqualRect(&inside, &frame)) << "month view " << frame.left << "," << frame.top << "-" << frame.right
                                            << "," << frame.bottom << ", work area right " << monitor.rcWork.right;
    // Its right border is drawn where it is seen.
    RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    HDC screen = GetDC(nullptr);
    const COLORREF border = GetPixel(screen, frame.right - 1, (frame.top + frame.bottom) / 2);
    ReleaseDC(nullptr, screen);
    EXPECT_NE(border, RGB(255, 255, 255)) << "the white of the month, not its border";
}

namespace {

// A calendar at the screen's right edge (a maximized window's): the month view
// keeps a few pixels from every edge of the screen, and the bar's tips rest
// while it is open, so none lies over its title and buttons.
TEST_F(Calendar, MonthViewKeepsOffTheScreensEdgesAndTheTipsRestWhileItIsOpen) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    MoveWindow(parent_, screenWidth - 300, 0, 300, 200, TRUE);
    RECT client = {};
    GetClientRect(parent_, &client);
    MoveWindow(calendar_, client.right - kCalendarVisibleWidth, 0, kCalendarWidth, kCalendarHeight, TRUE);
    HWND tips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            char name[32] = "";
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(name, "tooltips_class32") == 0 && IsWindow(window)) *reinterpret_cast<HWND*>(found) = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tips));
    ASSERT_NE(tips, nullptr);
    // The mouse rests on the date for longer than a tip waits.
    auto restOnTheDate = [this, tips]() {
        SendMessageA(tips, TTM_POP, 0, 0);
        const POINT date = Centre(CalendarPartRect(kPartDate));
        POINT onScreen = date;
        ClientToScreen(calendar_, &onScreen);
        SetCursorPos(onScreen.x, onScreen.y);
        SendMessageA(calendar_, WM_MOUSEMOVE, 0, At(date));
        const DWORD end = GetTickCount() + 1500;
        while (GetTickCount() < end && !IsWindowVisible(tips)) {
            Pump();
            Sleep(20);
        }
        return IsWindowVisible(tips) != FALSE;
    };
    EXPECT_TRUE(restOnTheDate());
    // The mouse comes to the date and clicks at once: the tip's wait has begun.
    SendMessageA(tips, TTM_POP, 0, 0);
    SendMessageA(calendar_, WM_MOUSEMOVE, 0, At(Centre(CalendarPartRect(kPartDate))));
    Click(kPartDate);
    for (int i = 0; i < 60 && !IsWindowVisible(tips); ++i) {
        Pump();
        Sleep(20);
    }
    EXPECT_FALSE(IsWindowVisible(tips)) << "a tip over the month view";
    HWND view = CalendarMonthView();
    ASSERT_NE(view, nullptr);
    RECT box = {};
    GetWindowRect(view, &box);
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(box.right, work.right - 8);
    EXPECT_GE(box.top, work.top + 8);
    EXPECT_FALSE(restOnTheDate());
    SendMessageA(tips, TTM_POP, 0, 0);
}

}  // namespace
