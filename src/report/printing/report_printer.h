// The report printed through the standard print dialog and the Windows
// spooler, one page a StartPage, and what went wrong told in Japanese.
#ifndef PELMO_REPORT_PRINTING_REPORT_PRINTER_H
#define PELMO_REPORT_PRINTING_REPORT_PRINTER_H

#include <windows.h>

#include "report/report_content.h"

// The printer the person chose: its device context (the caller deletes it),
// or none, with the common dialog's error (0: the person cancelled).
struct PrinterChoice {
    HDC dc = nullptr;
    DWORD error = 0;
};

// The print dialog (PrintDlgA with PD_RETURNDC), replaceable so that tests can
// choose a printer as a person would. Returns the function that was in place;
// null puts the standard dialog back.
using PrintDialogFunction = PrinterChoice (*)(HWND owner);
PrintDialogFunction SetPrintDialogFunction(PrintDialogFunction function);

// The default printer's device context without a dialog (null when there is
// none): the preview lays its pages out on the paper they will print on.
HDC DefaultPrinterDc();

// The spooler's calls for one document (StartDocA, StartPage, EndPage, EndDoc,
// AbortDoc), replaceable so that tests can make a page fail part-way.
struct SpoolerCalls {
    int(WINAPI* startDoc)(HDC, const DOCINFOA*);
    int(WINAPI* startPage)(HDC);
    int(WINAPI* endPage)(HDC);
    int(WINAPI* endDoc)(HDC);
    int(WINAPI* abortDoc)(HDC);
};
// Returns the calls that were in place; null puts the spooler's own back.
SpoolerCalls SetSpoolerCalls(const SpoolerCalls* calls);

enum class PrintOutcome { kPrinted, kCancelled, kNoPrinter, kFailed };

// Sends the report to the printer of dc as one document of its pages.
// kFailed when the printer refuses the document or a page (a refused page
// aborts the job: nothing half-printed is left in the queue).
PrintOutcome PrintReportOn(HDC printer, const ReportInput& input);

// Asks for the printer, prints, and tells a failure ("no printer", the printer
// refused); a cancel prints nothing and says nothing.
PrintOutcome PrintReport(HWND owner, const ReportInput& input);

#endif
