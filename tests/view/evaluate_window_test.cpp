// The window side of the analysis under Wine: the record list's selection or
// the calendar's text picks the day, and the chart area is repainted either way.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "evaluation/test_records.h"
#include "view/evaluate_window.h"

namespace {

int g_paints = 0;
RECT g_lastPaint = {};
const AnalysisResult* g_kept = nullptr;
double g_weightAtPaint = -1.0;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        ++g_paints;
        g_lastPaint = paint.rcPaint;
        if (g_kept) g_weightAtPaint = g_kept->averageWeight;
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class EvaluateWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CountingProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PelmoEvaluateWindowTest";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "PelmoEvaluateWindowTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 0, 100, 200, window,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        calendar = CreateWindowExA(0, "STATIC", "2004/01/20", WS_CHILD, 0, 0, 10, 10, window, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        for (int i = 0; i < 4; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("*"));
        UpdateWindow(window);
        g_paints = 0;
    }
    void TearDown() override { DestroyWindow(window); }

    AnalysisResult Evaluate(int mode) {
        g_kept = &result;
        EvaluatePeriodInWindow(window, list, calendar, &chartArea, records.data(),
                               static_cast<uint32_t>(records.size()), header, mode, key, &result);
        g_kept = nullptr;
        return result;
    }

    HWND window = nullptr, list = nullptr, calendar = nullptr;
    RECT chartArea = {150, 10, 390, 200};
    std::vector<DailyRecord> records = {DayRecord("20040115", 60.0), DayRecord("20040120", 61.0),
                                        DayRecord("20040201", 70.0)};
    UserHeader header = HeaderOfHeight(170.0);
    char key[kPeriodKeyCapacity] = {};
    AnalysisResult result = {};
};

TEST_F(EvaluateWindowTest, SelectedRowIsTheDay) {
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    EXPECT_EQ(Evaluate(kAnalysisDaily).averageWeight, 70.0);
    EXPECT_STREQ(key, "20040201");
    EXPECT_EQ(g_paints, 1);
    EXPECT_EQ(g_weightAtPaint, 70.0) << "the repaint draws the new result";
    EXPECT_EQ(g_lastPaint.left, chartArea.left);
    EXPECT_EQ(g_lastPaint.bottom, chartArea.bottom);
}

TEST_F(EvaluateWindowTest, BlankLineUsesTheCalendarDate) {
    SendMessageA(list, LB_SETCURSEL, 3, 0);  // the blank line for a new day
    EXPECT_EQ(Evaluate(kAnalysisDaily).averageWeight, 61.0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Evaluate(kAnalysisDaily).averageWeight, 61.0);
}

TEST_F(EvaluateWindowTest, AMonthWithoutRecordsStillRepaints) {
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(calendar, "2004/03/21");
    std::strcpy(key, "200403");
    AnalysisResult result = Evaluate(kAnalysisMonthly);
    EXPECT_EQ(result.averageWeight, 0.0);
    EXPECT_EQ(result.bmi, 0.0);
    EXPECT_EQ(g_paints, 1);
}

}  // namespace
