// The report's pages drawn into an enhanced metafile at 600 dpi, the way the
// spooler records them, and read back record by record: every text in its
// place, the table continuing with its header, the graph's series told apart
// by dashes; then the print run's outcomes as a person meets them.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "corelib/msgbox.h"
#include "report/printing/report_command.h"
#include "report/printing/report_pages.h"
#include "report/printing/report_printer.h"
#include "report/printing/report_test_diary.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace {

struct DrawnText {
    std::string text;  // Shift-JIS
    POINT at;          // the reference point, in the page's device units
};

struct DrawnPage {
    std::vector<DrawnText> texts;
    std::vector<std::vector<POINT>> polylines;
    // The first text that reads text at or below row top.
    const DrawnText* Find(const std::string& text, int top = 0) const {
        for (const DrawnText& drawn : texts)
            if (drawn.text == text && drawn.at.y >= top) return &drawn;
        return nullptr;
    }
    bool Contains(const std::string& piece) const {
        for (const DrawnText& drawn : texts)
            if (drawn.text.find(piece) != std::string::npos) return true;
        return false;
    }
};

std::string ShiftJisOf(const wchar_t* text, int length) {
    const int size = WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text, length, &out[0], size, nullptr, nullptr);
    return out;
}

int CALLBACK Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto* page = reinterpret_cast<DrawnPage*>(data);
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        page->texts.push_back({ShiftJisOf(chars, static_cast<int>(text->emrtext.nChars)),
                               {text->emrtext.ptlReference.x, text->emrtext.ptlReference.y}});
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* chars = reinterpret_cast<const char*>(record) + text->emrtext.offString;
        page->texts.push_back(
            {std::string(chars, text->emrtext.nChars), {text->emrtext.ptlReference.x, text->emrtext.ptlReference.y}});
    } else if (record->iType == EMR_POLYLINE) {
        const auto* line = reinterpret_cast<const EMRPOLYLINE*>(record);
        std::vector<POINT> points;
        for (DWORD i = 0; i < line->cptl; ++i) points.push_back({line->aptl[i].x, line->aptl[i].y});
        page->polylines.push_back(points);
    } else if (record->iType == EMR_POLYLINE16) {
        const auto* line = reinterpret_cast<const EMRPOLYLINE16*>(record);
        std::vector<POINT> points;
        for (DWORD i = 0; i < line->cpts; ++i) points.push_back({line->apts[i].x, line->apts[i].y});
        page->polylines.push_back(points);
    }
    return 1;
}

// Page `index` recorded into a metafile, as a printer of paper would get it.
DrawnPage RecordPage(const ReportDocument& document, int index) {
    const ReportPaper& paper = document.paper;
    // The frame in 0.01 mm: the paper's size.
    RECT frame = {0, 0, MulDiv(paper.paperWidth, 2540, paper.dpiX), MulDiv(paper.paperHeight, 2540, paper.dpiY)};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, "Pelmo\0report\0");
    DrawReportPage(dc, document, index);
    HENHMETAFILE file = CloseEnhMetaFile(dc);
    DrawnPage page;
    EnumEnhMetaFile(nullptr, file, Collect, &page, nullptr);
    DeleteEnhMetaFile(file);
    return page;
}

// A row's date as the table shows it: with the year, or month and day.
std::string DateText(const CalendarDate& date, bool withYear) {
    char text[16];
    if (withYear) std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day);
    else std::snprintf(text, sizeof text, "%02d/%02d", date.month, date.day);
    return text;
}

// No line of the graph leaves the plot, above or below, where the clip would
// cut it off; the legend's samples sit above the plot, on its row.
void ExpectLinesInThePlot(const ReportDocument& document, const DrawnPage& page) {
    const ReportMetrics& m = document.metrics;
    const int graphTop = m.content.top + m.titleBlockHeight + m.gap;
    const int plotTop = graphTop + 2 * m.rowHeight, plotBottom = graphTop + m.graphHeight - m.rowHeight;
    const int legendY = graphTop + m.rowHeight / 2;
    int outside = 0, lines = 0;
    for (const std::vector<POINT>& line : page.polylines) {
        bool legend = true;
        for (const POINT& point : line) legend = legend && point.y == legendY;
        if (legend) continue;
        ++lines;
        for (const POINT& point : line) outside += point.y < plotTop || point.y > plotBottom;
    }
    EXPECT_GT(lines, 45);
    EXPECT_EQ(outside, 0);
}

TEST(ReportPages, FortyFiveDaysAt600DpiEveryTextInItsPlace) {
    const ReportTestDiary diary({2026, 10, 1}, 69);  // 2026-10-01 .. 2026-12-08
    const ReportDocument document = PrepareReport(diary.Input({{2026, 10, 20}, {2026, 12, 3}}), A4Paper(600));
    const ReportMetrics& m = document.metrics;
    ASSERT_EQ(document.PageCount(), 2);
    const DrawnPage first = RecordPage(document, 0);
    const DrawnPage second = RecordPage(document, 1);

    // The title block: name, period, height, target and the date printed.
    EXPECT_TRUE(first.Contains("佐藤一郎"));
    EXPECT_TRUE(first.Contains("2026/10/20～2026/12/03"));
    EXPECT_TRUE(first.Contains("165.0cm"));
    EXPECT_TRUE(first.Contains("65.0kg"));
    EXPECT_TRUE(first.Contains("2026/12/08"));
    // The graph's legend names its items without the choice boxes' padding.
    EXPECT_NE(first.Find("体重（kg）"), nullptr);
    EXPECT_NE(first.Find("体脂肪率（％）"), nullptr);
    // Page numbers, centred at the foot of each page.
    const DrawnText* number = first.Find("1 / 2");
    ASSERT_NE(number, nullptr);
    EXPECT_GT(number->at.y, m.content.bottom - m.footerHeight - 1);
    EXPECT_NE(second.Find("2 / 2"), nullptr);

    // Every day once, in order, one row apart, the year on a page's first
    // row; the rows of page 1 then page 2.
    int rowsSeen = 0;
    CalendarDate day = {2026, 10, 20};
    for (const DrawnPage* page : {&first, &second}) {
        const ReportPagePlan& plan = document.pages[page == &first ? 0 : 1];
        int lastY = -1;
        for (int row = plan.firstRow; row < plan.endRow; ++row, day = advanceDate(day, 1)) {
            const std::string text = DateText(day, row == plan.firstRow);
            const DrawnText* date = page->Find(text, plan.tableTop);  // not the graph's dates
            ASSERT_NE(date, nullptr) << text;
            EXPECT_GE(date->at.x, m.columnLeft[0]);
            EXPECT_LT(date->at.x, m.columnLeft[1]);
            if (lastY >= 0) {
                EXPECT_EQ(date->at.y - lastY, m.rowHeight) << text;
            }
            lastY = date->at.y;
            ++rowsSeen;
        }
        // The column titles on every page the table is on.
        const DrawnText* title = page->Find("体脂肪");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->at.y > plan.tableTop - 1 && title->at.y < plan.tableTop + m.headerHeight, true);
    }
    EXPECT_EQ(rowsSeen, 45);
    // 2026-10-20 is the diary's 20th day: 72.0 − 1.9 kg; its diary text.
    EXPECT_NE(first.Find("70.1"), nullptr);
    EXPECT_NE(first.Find("20日目の記録"), nullptr);
    // The summary on the last page.
    EXPECT_TRUE(second.Contains("この期間のまとめ"));
    EXPECT_FALSE(first.Contains("この期間のまとめ"));
    // Nothing is drawn outside the content box, left or right.
    for (const DrawnPage* page : {&first, &second})
        for (const DrawnText& text : page->texts) {
            EXPECT_GE(text.at.x, m.content.left) << text.text;
            EXPECT_LE(text.at.x, m.content.right) << text.text;
            EXPECT_GE(text.at.y, m.content.top) << text.text;
            EXPECT_LT(text.at.y, m.content.bottom) << text.text;
        }

    // The graph: the left series one solid line of 45 points; the right series
    // and the weight's trend in dashes (pieces of a solid line, which every
    // printer driver draws as they are), all inside the graph.
    const int graphTop = m.content.top + m.titleBlockHeight + m.gap;
    int wholeLines = 0, dashes = 0;
    for (const std::vector<POINT>& line : first.polylines) {
        bool inside = true;
        for (const POINT& point : line)
            inside = inside && point.x > m.content.left && point.x < m.content.right && point.y > graphTop &&
                     point.y < graphTop + m.graphHeight;
        if (!inside) continue;
        wholeLines += line.size() == 45;
        dashes += line.size() < 45;
    }
    EXPECT_EQ(wholeLines, 1);
    EXPECT_GT(dashes, 2 * 45);
    ExpectLinesInThePlot(document, first);
    // After a quick loss before the period, the weight's trend runs well
    // above the period's days: the axis makes room for it.
    ReportTestDiary quickLoss = diary;
    for (int day = 0; day < 19; ++day) quickLoss.records[static_cast<std::size_t>(day)].weight = 86.0 - 0.8 * day;
    const ReportDocument afterLoss = PrepareReport(quickLoss.Input({{2026, 10, 20}, {2026, 12, 3}}), A4Paper(600));
    ExpectLinesInThePlot(afterLoss, RecordPage(afterLoss, 0));
    // A week is dated under the plot on its first and last days, a single day too.
    const ReportPeriod shortPeriods[] = {{{2026, 11, 2}, {2026, 11, 8}}, {{2026, 12, 3}, {2026, 12, 3}}};
    for (const ReportPeriod& period : shortPeriods) {
        const ReportDocument shortReport = PrepareReport(diary.Input(period), A4Paper(600));
        const DrawnPage page = RecordPage(shortReport, 0);
        for (const CalendarDate& date : {period.from, period.to}) {
            const DrawnText* label = page.Find(DateText(date, false), graphTop);
            ASSERT_NE(label, nullptr) << DateText(date, false);
            EXPECT_GT(label->at.y, graphTop + m.graphHeight - m.rowHeight);
            EXPECT_LT(label->at.y, graphTop + m.graphHeight);
        }
    }
    // The summary's trend figures: a diary losing 0.1 kg a day loses 0.70 kg a week.
    EXPECT_TRUE(second.Contains("1週間に -0.70kg")) << document.content.summary[2];
}

TEST(ReportPages, LongDiaryCutWithAnEllipsisAndAYearOnEightPages) {
    const ReportTestDiary diary({2025, 1, 1}, 365);
    const ReportDocument document = PrepareReport(diary.Input(YearPeriod(2025)), A4Paper(600));
    ASSERT_EQ(document.PageCount(), 8);
    const DrawnPage first = RecordPage(document, 0);
    bool cut = false;
    for (const DrawnText& text : first.texts)
        if (text.text.rfind("朝は散歩", 0) == 0) cut = text.text.size() > 2 && text.text.substr(text.text.size() - 2) == "…";
    EXPECT_TRUE(cut);
    const DrawnPage last = RecordPage(document, 7);
    EXPECT_NE(last.Find("8 / 8"), nullptr);
    EXPECT_NE(last.Find("2025/12/29"), nullptr);  // the page's first row has the year
    EXPECT_NE(last.Find("12/31"), nullptr);
}

// The print dialog as a person answers it, and the message box's texts.
DWORD g_dialogError = 0;
PrinterChoice DialogAnswer(HWND) { return PrinterChoice{nullptr, g_dialogError}; }
// A device context that is no printer: the spooler refuses the document.
PrinterChoice NotAPrinter(HWND) { return PrinterChoice{CreateCompatibleDC(nullptr), 0}; }
std::vector<std::string> g_told;
int RecordBox(void*, const char* text, const char*, unsigned) {
    g_told.push_back(text);
    return 1;
}

// A spooler that takes the document and refuses the start or the end of one
// page (1-based; 0: none), counting what the print run asked of it. Without
// a refusal it hands the document to the real spooler.
struct PageRefusal {
    int startPage = 0, endPage = 0;
    int pagesStarted = 0, pagesEnded = 0, aborted = 0, ended = 0;
    bool Faked() const { return startPage != 0 || endPage != 0; }
} g_refusal;
int WINAPI RefusingStartDoc(HDC dc, const DOCINFOA* job) { return g_refusal.Faked() ? 1 : StartDocA(dc, job); }
int WINAPI RefusingStartPage(HDC dc) {
    if (!g_refusal.Faked()) return StartPage(dc);
    return ++g_refusal.pagesStarted == g_refusal.startPage ? SP_ERROR : 1;
}
int WINAPI RefusingEndPage(HDC dc) {
    if (!g_refusal.Faked()) return EndPage(dc);
    return ++g_refusal.pagesEnded == g_refusal.endPage ? SP_ERROR : 1;
}
int WINAPI CountedEndDoc(HDC dc) {
    ++g_refusal.ended;
    return g_refusal.Faked() ? 1 : EndDoc(dc);
}
int WINAPI CountedAbortDoc(HDC dc) {
    ++g_refusal.aborted;
    return g_refusal.Faked() ? 1 : AbortDoc(dc);
}

// Every way a print run ends, as the person meets it: a cancel prints and
// says nothing; no printer, a refused document and a page refused part-way
// are told once, and a refused page aborts the document instead of ending it.
TEST(ReportPrinting, CancelSaysNothingAndFailuresAreTold) {
    const ReportTestDiary diary({2026, 9, 1}, 91);
    const ReportInput input = diary.Input({{2026, 9, 1}, {2026, 11, 30}});
    HDC screen = CreateCompatibleDC(nullptr);
    const int pages = PrepareReport(input, PaperOfDevice(screen)).PageCount();
    DeleteDC(screen);
    ASSERT_GE(pages, 3) << "the period must print on several pages";
    const MessageBoxFunction previousBox = SetMessageBoxFunction(RecordBox);
    const SpoolerCalls refusing = {RefusingStartDoc, RefusingStartPage, RefusingEndPage, CountedEndDoc, CountedAbortDoc};
    const SpoolerCalls spooler = SetSpoolerCalls(&refusing);
    struct Case {
        PrintDialogFunction dialog;
        DWORD error;
        int refuseStartPage, refuseEndPage;
        PrintOutcome outcome;
        unsigned told;  // 0: nothing
        int aborted, ended;
    } cases[] = {
        {DialogAnswer, 0, 0, 0, PrintOutcome::kCancelled, 0, 0, 0},
        {DialogAnswer, PDERR_NODEFAULTPRN, 0, 0, PrintOutcome::kNoPrinter, IDS_REPORT_NO_PRINTER, 0, 0},
        {DialogAnswer, PDERR_PRINTERNOTFOUND, 0, 0, PrintOutcome::kFailed, IDS_REPORT_PRINT_FAILED, 0, 0},
        {NotAPrinter, 0, 0, 0, PrintOutcome::kFailed, IDS_REPORT_PRINT_FAILED, 0, 0},
        {NotAPrinter, 0, 2, 0, PrintOutcome::kFailed, IDS_REPORT_PRINT_FAILED, 1, 0},
        {NotAPrinter, 0, 0, 1, PrintOutcome::kFailed, IDS_REPORT_PRINT_FAILED, 1, 0},
        {NotAPrinter, 0, 0, pages, PrintOutcome::kFailed, IDS_REPORT_PRINT_FAILED, 1, 0},
        {NotAPrinter, 0, pages + 1, 0, PrintOutcome::kPrinted, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "start page " << c.refuseStartPage << ", end page " << c.refuseEndPage);
        g_told.clear();
        g_dialogError = c.error;
        g_refusal = PageRefusal{};
        g_refusal.startPage = c.refuseStartPage;
        g_refusal.endPage = c.refuseEndPage;
        const PrintDialogFunction previous = SetPrintDialogFunction(c.dialog);
        EXPECT_EQ(PrintReport(nullptr, input), c.outcome);
        SetPrintDialogFunction(previous);
        if (c.told == 0) {
            EXPECT_TRUE(g_told.empty());
        } else {
            ASSERT_EQ(g_told.size(), 1u);
            EXPECT_EQ(g_told[0], PelmoText(c.told));
        }
        EXPECT_EQ(g_refusal.aborted, c.aborted);
        EXPECT_EQ(g_refusal.ended, c.ended);
        if (c.refuseStartPage != 0 && c.refuseStartPage <= pages) {
            EXPECT_EQ(g_refusal.pagesStarted, c.refuseStartPage);
        }
        if (c.refuseEndPage != 0) {
            EXPECT_EQ(g_refusal.pagesEnded, c.refuseEndPage);
        }
    }
    SetSpoolerCalls(&spooler);
    SetMessageBoxFunction(previousBox);
}

// With no printer at all the standard dialog is not even opened: the program
// says so in its own words, once.
TEST(ReportPrinting, NoPrinterInstalledIsToldOnce) {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed > 0) GTEST_SKIP() << "this Wine prefix knows a printer";
    const ReportTestDiary diary({2026, 11, 1}, 10);
    const MessageBoxFunction previousBox = SetMessageBoxFunction(RecordBox);
    const PrintDialogFunction standard = SetPrintDialogFunction(nullptr);
    g_told.clear();
    EXPECT_EQ(PrintReport(nullptr, diary.Input(MonthPeriod(2026, 11))), PrintOutcome::kNoPrinter);
    SetPrintDialogFunction(standard);
    SetMessageBoxFunction(previousBox);
    ASSERT_EQ(g_told.size(), 1u);
    EXPECT_EQ(g_told[0], PelmoText(IDS_REPORT_NO_PRINTER));
}

// The menu's commands need an open user with days; without one they say so
// in the command's own caption and open nothing.
TEST(ReportPrinting, CommandsWithoutAUserSaySo) {
    const MessageBoxFunction previousBox = SetMessageBoxFunction(RecordBox);
    g_told.clear();
    EXPECT_TRUE(RunReportCommand(GetModuleHandleA(nullptr), nullptr, ID_RECORDS_PRINT));
    EXPECT_TRUE(RunReportCommand(GetModuleHandleA(nullptr), nullptr, ID_REPORT_PREVIEW));
    EXPECT_FALSE(RunReportCommand(GetModuleHandleA(nullptr), nullptr, ID_DAY_NEW));
    SetMessageBoxFunction(previousBox);
    ASSERT_EQ(g_told.size(), 2u);
    EXPECT_EQ(g_told[0], "ユーザーを開くか、新規作成してください。");
}

}  // namespace
