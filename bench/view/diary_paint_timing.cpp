// One whole paint of the diary window (the record table's header, the BMI
// chart and whatever else the window paints) with a record selected, on a
// diary of 30 days and one of ten years: the chart's cost must not grow with
// the diary. The user is never saved: nothing is written.
#include <windows.h>

#include "corelib/win32/calendar.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/diary_store.h"
#include "shell/shell_classes.h"
#include "support/made_up_diary.h"
#include "support/timing.h"
#include "view/diary_links.h"
#include "view/diary_state.h"
#include "view/diary_window.h"
#include "view/record_list.h"

namespace {

HWND g_diaryWindow = nullptr;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void CreateWindows() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPelmoWindowClasses(instance);
    HWND frame = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1024, 768,
                               nullptr, nullptr, instance, nullptr);
    HWND container = CreateWindowA("TAKKU", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 720, frame,
                                   nullptr, instance, nullptr);
    g_diaryWindow = CreateWindowA(kDiaryWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 2, 2, 996, 700,
                                  container, nullptr, instance, nullptr);
    g_diary.calendar = CreateWindowA(kCalendarWindowClass, "2009/12/20", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                     g_diaryWindow, nullptr, instance, nullptr);
    SetCalendarWindow(g_diary.calendar);
    TellCalendarPalette();
    SendMessageA(g_diaryWindow, WM_SIZE, 0, MAKELPARAM(996, 700));
    Pump();
}

// A diary of `days` days, the last but one selected and analysed.
void Ensure(std::uint32_t days) {
    static std::uint32_t built = 0;
    if (built == days) return;
    if (!g_diaryWindow) CreateWindows();
    OpenMadeUpDiary(days);
    RefillRecordList(days + 1);
    SendMessageA(g_diary.recordList, LB_SETCURSEL, days - 2, 0);
    ResyncRecordList();
    TellCalendarRecords();
    Pump();
    built = days;
}

void PaintDiaryWindowOnce(UINT children) {
    RedrawWindow(g_diaryWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | children);
    GdiFlush();
}

// Run last: the user is closed, so that no exit path saves a made-up diary.
struct CloseAtExit {
    ~CloseAtExit() { CloseUser(); }
} g_closeAtExit;

}  // namespace

PELMO_TIMING(DiaryWindowPaint30Days, 100) {
    Ensure(30);
    PaintDiaryWindowOnce(0);
}

PELMO_TIMING(DiaryWindowPaint3650Days, 100) {
    Ensure(3650);
    PaintDiaryWindowOnce(0);
}

PELMO_TIMING(DiaryWindowAndChildrenPaint30Days, 100) {
    Ensure(30);
    PaintDiaryWindowOnce(RDW_ALLCHILDREN);
}

PELMO_TIMING(DiaryWindowAndChildrenPaint3650Days, 100) {
    Ensure(3650);
    PaintDiaryWindowOnce(RDW_ALLCHILDREN);
}
