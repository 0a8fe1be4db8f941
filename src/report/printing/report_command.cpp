#include "report/printing/report_command.h"

#include "corelib/msgbox.h"
#include "diary/diary_store.h"
#include "report/printing/period_dialog.h"
#include "report/printing/report_pages.h"
#include "report/printing/report_preview.h"
#include "report/printing/report_printer.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "view/diary_commands.h"
#include "view/diary_state.h"

namespace {

const char kPrintConfirm[] = "印刷(&P)...";
const char kPreviewConfirm[] = "プレビュー(&V)";

// The paper the preview shows: the default printer's, or A4 at 600 dpi.
ReportPaper PreviewPaper() {
    HDC printer = DefaultPrinterDc();
    if (printer == nullptr) return A4Paper(600);
    const ReportPaper paper = PaperOfDevice(printer);
    DeleteDC(printer);
    return paper.dpiX > 0 && paper.paperWidth > 0 ? paper : A4Paper(600);
}

bool HasDays(HWND owner, UINT id) {
    const char* caption = PelmoText(id == ID_REPORT_PREVIEW ? IDS_REPORT_PREVIEW_CAPTION : IDS_REPORT_PRINT_CAPTION);
    if (!IsUserOpen()) {
        PelmoMessageBox(owner, kNoUserText, caption, kMbOk | kMbIconInformation);
        return false;
    }
    if (DiaryRecordCount() == 0 || DiaryRecords() == nullptr) {
        PelmoMessageBox(owner, PelmoText(IDS_REPORT_NO_DAYS), caption, kMbOk | kMbIconInformation);
        return false;
    }
    return true;
}

}  // namespace

ReportPeriod CalendarMonthPeriod() {
    CalendarDate shown = Today();
    char text[32] = {};
    if (g_diary.calendar && GetWindowTextA(g_diary.calendar, text, sizeof text) > 0) ParseShownDate(text, &shown);
    return MonthPeriod(shown.year, shown.month);
}

ReportInput DiaryReportInput(const ReportPeriod& period) {
    ReportInput input;
    input.records = DiaryRecords();
    input.count = DiaryRecordCount();
    input.header = &CurrentHeader();
    input.flags = &InputItems();
    input.period = period;
    input.leftItem = g_diary.graphItem[0];
    input.rightItem = g_diary.graphItem[1];
    input.printedOn = Today();
    return input;
}

bool RunReportCommand(HINSTANCE instance, HWND owner, UINT id) {
    if (id != ID_RECORDS_PRINT && id != ID_REPORT_PREVIEW) return false;
    if (!HasDays(owner, id)) return true;
    PeriodChoice choice = {CalendarMonthPeriod(), DiaryRecords(), DiaryRecordCount(),
                           id == ID_REPORT_PREVIEW ? kPreviewConfirm : kPrintConfirm};
    // A calendar month without days starts the dialog at the diary's last month.
    if (RecordsOfPeriod(choice.period, choice.records, choice.count).Count() == 0) {
        CalendarDate last;
        if (ReadDateKey(choice.records[choice.count - 1].date, &last)) choice.period = MonthPeriod(last.year, last.month);
    }
    if (!ChooseReportPeriod(instance, owner, &choice)) return true;
    const ReportInput input = DiaryReportInput(choice.period);
    if (id == ID_REPORT_PREVIEW) RunReportPreview(instance, GetAncestor(owner, GA_ROOT), input, PreviewPaper());
    else PrintReport(owner, input);
    return true;
}
