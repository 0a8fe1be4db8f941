// The menu's "印刷プレビュー" and "印刷..." (Ctrl+P): the open user's report of
// the calendar's month, or of the period chosen in the period dialog.
#ifndef PELMO_REPORT_PRINTING_REPORT_COMMAND_H
#define PELMO_REPORT_PRINTING_REPORT_COMMAND_H

#include <windows.h>

#include "report/report_content.h"

// The report of the open user over period, with the line graph's items of
// the diary window, printed today.
ReportInput DiaryReportInput(const ReportPeriod& period);

// The month the diary window's calendar shows (today's without a calendar).
ReportPeriod CalendarMonthPeriod();

// Runs ID_RECORDS_PRINT or ID_REPORT_PREVIEW for owner (the frame's view);
// false for another id. Without an open user, or a user without days, it says so.
bool RunReportCommand(HINSTANCE instance, HWND owner, UINT id);

#endif
