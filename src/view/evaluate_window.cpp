#include "view/evaluate_window.h"

void EvaluatePeriodInWindow(HWND window, HWND recordList, HWND calendar, const RECT* chartArea,
                            const DailyRecord* records, uint32_t count, const UserHeader& header, int mode,
                            char* periodKey, AnalysisResult* analysis) {
    int selected = recordList != nullptr ? static_cast<int>(SendMessageA(recordList, LB_GETCURSEL, 0, 0)) : -1;
    char calendarText[32] = {};
    if (calendar != nullptr) GetWindowTextA(calendar, calendarText, sizeof calendarText);
    // Kept before the repaint: the paint that follows at once draws this result.
    *analysis = EvaluatePeriod(records, count, header, selected, calendarText, mode, periodKey);
    if (window != nullptr) {
        InvalidateRect(window, chartArea, TRUE);
        UpdateWindow(window);
    }
}
