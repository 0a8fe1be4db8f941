#include "report/printing/period_dialog.h"

#include <cstdio>

#include "corelib/msgbox.h"
#include "corelib/win32/help.h"
#include "corelib/win32/ime.h"
#include "corelib/win32/modal_dialog.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace {

constexpr int kDateFieldLimit = 10;  // "YYYY/MM/DD"
const char kHelpTopic[] = "print";

PeriodChoice& ChoiceOf(HWND dialog) {
    return *reinterpret_cast<PeriodChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void ShowPeriod(HWND dialog, const ReportPeriod& period) {
    char text[kShownDateSize];
    FormatShownDate(period.from, text);
    SetDlgItemTextA(dialog, IDC_REPORT_FROM, text);
    FormatShownDate(period.to, text);
    SetDlgItemTextA(dialog, IDC_REPORT_TO, text);
}

void AddChoice(HWND combo, const char* text, LPARAM value) {
    const LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (at >= 0) SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), value);
}

// The months and years that have days, newest first (the list is not sorted:
// the diary's order, walked backwards).
void FillQuickChoices(HWND dialog, const PeriodChoice& choice) {
    HWND months = GetDlgItem(dialog, IDC_REPORT_MONTH), years = GetDlgItem(dialog, IDC_REPORT_YEAR);
    int lastMonth = -1, lastYear = -1;
    for (uint32_t i = choice.count; i-- > 0;) {
        CalendarDate date;
        if (!ReadDateKey(choice.records[i].date, &date)) continue;
        char text[32];
        if (date.year * 100 + date.month != lastMonth) {
            lastMonth = date.year * 100 + date.month;
            std::snprintf(text, sizeof text, "%04d年%02d月", date.year, date.month);
            AddChoice(months, text, lastMonth);
        }
        if (date.year != lastYear) {
            lastYear = date.year;
            std::snprintf(text, sizeof text, "%04d年", date.year);
            AddChoice(years, text, lastYear);
        }
    }
}

// The quick choice that names the period shown first, selected.
void SelectShownMonth(HWND dialog, const ReportPeriod& period) {
    const ReportPeriod month = MonthPeriod(period.from.year, period.from.month);
    if (period.to.year != month.to.year || period.to.month != month.to.month || period.to.day != month.to.day ||
        period.from.day != 1)
        return;
    HWND combo = GetDlgItem(dialog, IDC_REPORT_MONTH);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == period.from.year * 100 + period.from.month)
            SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

INT_PTR OnInit(HWND dialog, PeriodChoice* choice) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(choice));
    SetMonthlyCalendar(dialog, 0);
    if (choice->confirmText) SetDlgItemTextA(dialog, IDOK, choice->confirmText);
    for (int field : {IDC_REPORT_FROM, IDC_REPORT_TO}) {
        SendDlgItemMessageA(dialog, field, EM_LIMITTEXT, kDateFieldLimit, 0);
        CloseIme(GetDlgItem(dialog, field));
    }
    FillQuickChoices(dialog, *choice);
    SelectShownMonth(dialog, choice->period);
    ShowPeriod(dialog, choice->period);
    return TRUE;
}

void OnQuickChoice(HWND dialog, int control) {
    HWND combo = GetDlgItem(dialog, control);
    const LRESULT at = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (at < 0) return;
    const int value = static_cast<int>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
    ShowPeriod(dialog, control == IDC_REPORT_MONTH ? MonthPeriod(value / 100, value % 100) : YearPeriod(value));
}

void Refuse(HWND dialog, PeriodCheck check, int field) {
    PelmoMessageBox(dialog, PeriodCheckMessage(check), PelmoText(IDS_REPORT_PERIOD_CAPTION),
                    kMbOk | kMbIconInformation);
    HWND control = GetDlgItem(dialog, field);
    SendMessageA(control, EM_SETSEL, 0, -1);
    SetFocus(control);
}

void OnConfirm(HWND dialog) {
    PeriodChoice& choice = ChoiceOf(dialog);
    char from[kDateFieldLimit + 2] = {}, to[kDateFieldLimit + 2] = {};
    GetDlgItemTextA(dialog, IDC_REPORT_FROM, from, sizeof from);
    GetDlgItemTextA(dialog, IDC_REPORT_TO, to, sizeof to);
    ReportPeriod period = {};
    if (!ParseShownDate(from, &period.from)) return Refuse(dialog, PeriodCheck::kBadFrom, IDC_REPORT_FROM);
    if (!ParseShownDate(to, &period.to)) return Refuse(dialog, PeriodCheck::kBadTo, IDC_REPORT_TO);
    const PeriodCheck check = CheckReportPeriod(period, choice.records, choice.count);
    if (check != PeriodCheck::kFine) return Refuse(dialog, check, check == PeriodCheck::kBadFrom ? IDC_REPORT_FROM : IDC_REPORT_TO);
    choice.period = period;
    EndModalDialog(dialog, 1);
}

INT_PTR CALLBACK PeriodProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<PeriodChoice*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_REPORT_MONTH:
        case IDC_REPORT_YEAR:
            if (HIWORD(wParam) == CBN_SELCHANGE) OnQuickChoice(dialog, LOWORD(wParam));
            return TRUE;
        case IDOK: OnConfirm(dialog); return TRUE;
        case IDCANCEL: EndModalDialog(dialog, 0); return TRUE;
        case IDC_DIALOG_HELP: OpenHelpTopic(dialog, kHelpTopic); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

bool ChooseReportPeriod(HINSTANCE instance, HWND owner, PeriodChoice* choice) {
    return CreateModalDialog(instance, owner, "IDD_REPORT_PERIOD", PeriodProcedure,
                             reinterpret_cast<LPARAM>(choice)) == 1;
}
