// The report's period dialog as a person uses it: the calendar's month shown
// first and picked in the month list, a year picked from the year list, dates
// typed, and what cannot be printed refused with the field to mend in focus.
#include <gtest/gtest.h>

#include <windows.h>

#include "diary/dialogs/dialog_driver.h"
#include "report/printing/period_dialog.h"
#include "report/printing/report_test_diary.h"
#include "resources/resource.h"

namespace {

void Pick(HWND dialog, int combo, const char* text) {
    HWND list = GetDlgItem(dialog, combo);
    const LRESULT at = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    ASSERT_GE(at, 0) << text;
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::string Selected(HWND dialog, int combo) {
    char text[64] = {};
    GetDlgItemTextA(dialog, combo, text, sizeof text);
    return text;
}

TEST(ReportPeriodDialog, MonthYearAndDatesAsAPersonChoosesThem) {
    const ReportTestDiary diary({2025, 12, 20}, 60);  // 2025-12-20 .. 2026-02-17
    PeriodChoice choice = {MonthPeriod(2026, 1), diary.records.data(), static_cast<uint32_t>(diary.records.size()),
                           "印刷(&P)..."};
    DialogDriver driver;
    driver.On("印刷する期間", [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_REPORT_FROM), "2026/01/01");
        EXPECT_EQ(DialogDriver::Text(d, IDC_REPORT_TO), "2026/01/31");
        EXPECT_EQ(Selected(d, IDC_REPORT_MONTH), "2026年01月");
        EXPECT_EQ(DialogDriver::Text(d, IDOK), "印刷(&P)...");
        // Newest first; only months and years with days.
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_REPORT_MONTH, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_REPORT_YEAR, CB_GETCOUNT, 0, 0), 2);
        Pick(d, IDC_REPORT_MONTH, "2026年02月");
        EXPECT_EQ(DialogDriver::Text(d, IDC_REPORT_TO), "2026/02/28");
        DialogDriver::Type(d, IDC_REPORT_TO, "2026/02/30");
        DialogDriver::Click(d, IDOK);
    });
    driver.On("印刷する期間", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_REPORT_TO);
        DialogDriver::Type(d, IDC_REPORT_FROM, "2024/01/01");
        DialogDriver::Type(d, IDC_REPORT_TO, "2024/12/31");
        DialogDriver::Click(d, IDOK);
    });
    driver.On("印刷する期間", [](HWND d) {
        Pick(d, IDC_REPORT_YEAR, "2025年");
        EXPECT_EQ(DialogDriver::Text(d, IDC_REPORT_FROM), "2025/01/01");
        EXPECT_EQ(DialogDriver::Text(d, IDC_REPORT_TO), "2025/12/31");
        DialogDriver::Type(d, IDC_REPORT_FROM, "2025/12/25");
        DialogDriver::Type(d, IDC_REPORT_TO, "2026/01/05");
        DialogDriver::Click(d, IDOK);
    });
    EXPECT_TRUE(ChooseReportPeriod(GetModuleHandleA(nullptr), nullptr, &choice));
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 2u);
    EXPECT_EQ(driver.boxes()[0].text, PeriodCheckMessage(PeriodCheck::kBadTo));
    EXPECT_EQ(driver.boxes()[0].caption, "印刷する期間");
    EXPECT_EQ(driver.boxes()[1].text, PeriodCheckMessage(PeriodCheck::kNoDays));
    EXPECT_EQ(choice.period.from.day, 25);
    EXPECT_EQ(choice.period.to.year, 2026);
    EXPECT_EQ(choice.period.to.day, 5);
}

TEST(ReportPeriodDialog, CancelChoosesNothing) {
    const ReportTestDiary diary({2026, 1, 1}, 10);
    PeriodChoice choice = {MonthPeriod(2026, 1), diary.records.data(), 10, nullptr};
    DialogDriver driver;
    driver.On("印刷する期間", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    EXPECT_FALSE(ChooseReportPeriod(GetModuleHandleA(nullptr), nullptr, &choice));
    EXPECT_TRUE(driver.boxes().empty());
}

}  // namespace
