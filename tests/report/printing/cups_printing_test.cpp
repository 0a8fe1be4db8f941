// One report printed through the real path: the standard print run under
// Wine, the Windows spooler and a CUPS PDF queue. Run by cups_printing.sh,
// which starts the CUPS server, names the queue and reads the PDF back with
// what this test writes the pages must show.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "report/printing/report_pages.h"
#include "report/printing/report_printer.h"
#include "report/printing/report_test_diary.h"

namespace {

PrinterChoice QueuePrinter(HWND) {
    return PrinterChoice{CreateDCA("WINSPOOL", std::getenv("PELMO_CUPS_PRINTER"), nullptr, nullptr), 0};
}

TEST(CupsPrinting, AMonthReportSpooledToThePdfQueue) {
    const char* queue = std::getenv("PELMO_CUPS_PRINTER");
    const char* expectedPath = std::getenv("PELMO_CUPS_EXPECTED");
    if (queue == nullptr || expectedPath == nullptr) GTEST_SKIP() << "run by cups_printing.sh";
    const ReportTestDiary diary({2026, 10, 1}, 69);
    const ReportInput input = diary.Input({{2026, 10, 20}, {2026, 12, 3}});

    HDC printer = QueuePrinter(nullptr).dc;
    ASSERT_NE(printer, nullptr) << "the spooler does not know the queue " << queue;
    const ReportDocument document = PrepareReport(input, PaperOfDevice(printer));
    DeleteDC(printer);
    const PrintDialogFunction previous = SetPrintDialogFunction(QueuePrinter);
    EXPECT_EQ(PrintReport(nullptr, input), PrintOutcome::kPrinted);
    SetPrintDialogFunction(previous);

    // What the PDF must show: the page count, the name and period on page 1,
    // every day of the month on its page with its weight, the page numbers.
    FILE* expected = std::fopen(expectedPath, "wb");
    ASSERT_NE(expected, nullptr);
    std::fprintf(expected, "pages %d\n", document.PageCount());
    std::fprintf(expected, "page 1 佐藤一郎\npage 1 2026/10/20～2026/12/03\n");
    for (int p = 0; p < document.PageCount(); ++p) {
        const ReportPagePlan& page = document.pages[static_cast<std::size_t>(p)];
        std::fprintf(expected, "page %d %d / %d\n", p + 1, p + 1, document.PageCount());
        for (int row = page.firstRow; row < page.endRow; ++row) {
            std::fprintf(expected, "page %d %s\n", p + 1, RowDateText(document.content.rows, row, row == page.firstRow).c_str());
            std::fprintf(expected, "page %d %d日目の記録\n", p + 1, 20 + row);
            const ReportRow& day = document.content.rows[static_cast<std::size_t>(row)];
            std::fprintf(expected, "page %d %s%s\n", p + 1, day.cells.weight + std::strspn(day.cells.weight, " "),
                         day.cells.bodyFat);
        }
        if (page.summary)
            for (const std::string& line : document.content.summary) std::fprintf(expected, "page %d %s\n", p + 1, line.c_str());
    }
    std::fclose(expected);
}

}  // namespace
