// The dialog that chooses the report's period: a month or a year that has
// days as quick choices, or any dates from one to another.
#ifndef PELMO_REPORT_PRINTING_PERIOD_DIALOG_H
#define PELMO_REPORT_PRINTING_PERIOD_DIALOG_H

#include <windows.h>

#include <cstdint>

#include "report/report_period.h"

struct PeriodChoice {
    ReportPeriod period;          // in: the period shown first; out: the one chosen
    const DailyRecord* records;
    uint32_t count;
    const char* confirmText;      // the OK button's text ("印刷(&P)...", "プレビュー(&V)")
};

// True when a printable period was chosen (it has days and at most a year's).
bool ChooseReportPeriod(HINSTANCE instance, HWND owner, PeriodChoice* choice);

#endif
