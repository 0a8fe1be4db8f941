// One step of holding the Down key in the record table: the sync with the
// line before the move (calendar text, evaluation), the move, the repaint of
// the rows that changed. At 30 days and at ten years of days.
#include <windows.h>

#include "diary/diary_store.h"
#include "evaluation/period.h"
#include "support/made_up_diary.h"
#include "support/timing.h"
#include "view/diary_state.h"
#include "view/record_list.h"

namespace {

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        DrawRecordListItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The evaluation of the selected day, as the diary window runs it on every sync.
void Evaluate(HWND) {
    char calendarText[32] = {};
    GetWindowTextA(g_diary.calendar, calendarText, sizeof calendarText);
    char key[16] = {};
    const int selected = static_cast<int>(SendMessageA(g_diary.recordList, LB_GETCURSEL, 0, 0));
    volatile double weight = EvaluatePeriod(DiaryRecords(), DiaryRecordCount(), CurrentHeader(), selected,
                                            calendarText, g_diary.analysisMode, key).averageWeight;
    (void)weight;
}

// A diary of `days` days in a visible stand-in window, built once per size.
void Ensure(std::uint32_t days) {
    static std::uint32_t built = 0;
    static HWND window = nullptr;
    if (built == days) return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!window) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = StandInProc;
        wc.hInstance = instance;
        wc.lpszClassName = "NavigationTimingStandIn";
        RegisterClassA(&wc);
        window = CreateWindowA("NavigationTimingStandIn", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700,
                               nullptr, nullptr, instance, nullptr);
        g_diary.window = window;
        g_diary.textAscent = 16;
        ComputeRecordColumns(16);
        g_diary.calendar = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 600, 0, 200, 30, window, nullptr,
                                         instance, nullptr);
        CreateRecordList(window, instance);
        MoveWindow(g_diary.recordList, 4, 39, g_diary.tableWidth - 5, 330, TRUE);
        SetRecordListHooks(RecordListHooks{Evaluate, nullptr});
    }
    OpenMadeUpDiary(days);
    RefillRecordList(days + 1);
    SendMessageA(g_diary.recordList, LB_SETCURSEL, 0, 0);
    UpdateWindow(window);
    built = days;
}

void DownStep() {
    HWND list = g_diary.recordList;
    const long count = static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (SendMessageA(list, LB_GETCURSEL, 0, 0) >= count - 2) SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    UpdateWindow(list);
}

}  // namespace

PELMO_TIMING(RecordListDownStep30Days, 200) {
    Ensure(30);
    DownStep();
}

PELMO_TIMING(RecordListDownStep3650Days, 200) {
    Ensure(3650);
    DownStep();
}

PELMO_TIMING(RecordListDownStep365Days, 200) {
    Ensure(365);
    DownStep();
}
