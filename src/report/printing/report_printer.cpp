#include "report/printing/report_printer.h"

#include <commdlg.h>
#include <winspool.h>

#include "corelib/msgbox.h"
#include "report/printing/report_pages.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace {

// Whether the spooler knows any printer. Without one the print dialog would
// say so in its own words (and under Wine end as if cancelled): the program
// tells it in its own.
bool HasPrinter() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

PrinterChoice StandardPrintDialog(HWND owner) {
    if (!HasPrinter()) return PrinterChoice{nullptr, PDERR_NODEFAULTPRN};
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOWARNING;
    dialog.nCopies = 1;
    PrinterChoice choice;
    if (PrintDlgA(&dialog)) choice.dc = dialog.hDC;
    else choice.error = CommDlgExtendedError();
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    return choice;
}

PrintDialogFunction g_printDialog = StandardPrintDialog;

const SpoolerCalls kSpooler = {StartDocA, StartPage, EndPage, EndDoc, AbortDoc};
SpoolerCalls g_spooler = kSpooler;

void Tell(HWND owner, unsigned text) {
    PelmoMessageBox(owner, PelmoText(text), PelmoText(IDS_REPORT_PRINT_CAPTION), kMbOk | kMbIconInformation);
}

}  // namespace

PrintDialogFunction SetPrintDialogFunction(PrintDialogFunction function) {
    PrintDialogFunction previous = g_printDialog;
    g_printDialog = function ? function : StandardPrintDialog;
    return previous;
}

SpoolerCalls SetSpoolerCalls(const SpoolerCalls* calls) {
    const SpoolerCalls previous = g_spooler;
    g_spooler = calls ? *calls : kSpooler;
    return previous;
}

HDC DefaultPrinterDc() {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&dialog)) return nullptr;
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    return dialog.hDC;
}

PrintOutcome PrintReportOn(HDC printer, const ReportInput& input) {
    if (printer == nullptr) return PrintOutcome::kNoPrinter;
    const ReportDocument document = PrepareReport(input, PaperOfDevice(printer));
    DOCINFOA job = {};
    job.cbSize = sizeof job;
    job.lpszDocName = PelmoText(IDS_REPORT_DOCUMENT);
    if (g_spooler.startDoc(printer, &job) <= 0) return PrintOutcome::kFailed;
    for (int page = 0; page < document.PageCount(); ++page) {
        bool pageDone = g_spooler.startPage(printer) > 0;
        if (pageDone) {
            DrawReportPage(printer, document, page);
            pageDone = g_spooler.endPage(printer) > 0;
        }
        if (!pageDone) {
            g_spooler.abortDoc(printer);
            return PrintOutcome::kFailed;
        }
    }
    return g_spooler.endDoc(printer) > 0 ? PrintOutcome::kPrinted : PrintOutcome::kFailed;
}

PrintOutcome PrintReport(HWND owner, const ReportInput& input) {
    const PrinterChoice choice = g_printDialog(owner);
    if (choice.dc == nullptr) {
        if (choice.error == 0) return PrintOutcome::kCancelled;
        const bool none = choice.error == PDERR_NODEFAULTPRN || choice.error == PDERR_NODEVICES;
        Tell(owner, none ? IDS_REPORT_NO_PRINTER : IDS_REPORT_PRINT_FAILED);
        return none ? PrintOutcome::kNoPrinter : PrintOutcome::kFailed;
    }
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const PrintOutcome outcome = PrintReportOn(choice.dc, input);
    SetCursor(previous);
    DeleteDC(choice.dc);
    if (outcome == PrintOutcome::kFailed) Tell(owner, IDS_REPORT_PRINT_FAILED);
    return outcome;
}
