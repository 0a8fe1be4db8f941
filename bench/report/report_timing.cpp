// The printed report of a year (a two-year diary with texts every day, weight and body
// fat in the graph, A4 at 600 dpi): laying it out, one page of the preview at
// the diary window's size (compare with DiaryWindowPaint* of the same run:
// within twice one paint of the diary window), and every page recorded as
// the spooler records it (an enhanced metafile a page). Where ./pelmo bench
// could start its CUPS server (PELMO_CUPS_PRINTER names the PDF queue), a
// 13-page report spooled through the print code, beside its page draws.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "charts/chart_items.h"
#include "corelib/dates.h"
#include "report/printing/report_pages.h"
#include "report/printing/report_preview.h"
#include "report/printing/report_printer.h"
#include "support/timing.h"

namespace {

constexpr int kWidth = 996;   // the diary window's size in diary_paint_timing
constexpr int kHeight = 700;

struct YearDiary {
    std::vector<DailyRecord> records;
    UserHeader header = {};
    InputItemFlags flags = {{1, 1, 1, 1, 1, 1, 1}};
    YearDiary() {
        std::strcpy(header.name, "山田花子");
        header.height = 160.0;
        header.targetWeight = 55.0;
        CalendarDate date = {2025, 1, 1};
        for (int i = 0; i < 730; ++i, date = AddDays(date, 1)) {
            DailyRecord record = {};
            char key[16];
            std::snprintf(key, sizeof key, "%04d%02d%02d", date.year, date.month, date.day);
            std::memcpy(record.date, key, kDateLength);
            record.weight = 62.0 - i * 0.01 + (i % 7) * 0.1;
            record.bodyFat = 28.0 - i * 0.005;
            std::snprintf(record.diary, sizeof record.diary, "%d日目：朝は散歩、昼は定食、夜は早めに寝た。明日も続ける。", i + 1);
            records.push_back(record);
        }
    }
    ReportInput Input() const {
        ReportInput input;
        input.records = records.data();
        input.count = static_cast<uint32_t>(records.size());
        input.header = &header;
        input.flags = &flags;
        input.period = {{2025, 1, 1}, {2025, 12, 31}};
        input.leftItem = kChartWeight;
        input.rightItem = kChartBodyFat;
        input.printedOn = {2026, 1, 5};
        return input;
    }
};

YearDiary& Diary() {
    static YearDiary diary;
    return diary;
}

HWND Preview() {
    static HWND preview = nullptr;
    if (!preview) {
        preview = OpenReportPreview(GetModuleHandleA(nullptr), nullptr, Diary().Input(), A4Paper(600));
        SetWindowPos(preview, nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOMOVE);
    }
    return preview;
}

}  // namespace

PELMO_TIMING(ReportYearLayOut, 50) {
    const ReportDocument document = PrepareReport(Diary().Input(), A4Paper(600));
    if (document.PageCount() == 0) std::puts("no pages");
}

// One preview paint of the first page (title, graph and table), off-screen.
PELMO_TIMING(ReportPreviewPaintYearFirstPage, 50) {
    HWND preview = Preview();
    HDC screen = GetDC(preview);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    PaintReportPreview(preview, memory);
    GdiFlush();
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(preview, screen);
}

// All eight pages recorded, one metafile each, as the spooler gets them.
PELMO_TIMING(ReportYearAllPagesRecorded, 10) {
    static const ReportDocument document = PrepareReport(Diary().Input(), A4Paper(600));
    for (int page = 0; page < document.PageCount(); ++page) {
        RECT frame = {0, 0, 21000, 29700};
        HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
        DrawReportPage(dc, document, page);
        DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    }
}

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The diary's report from 2025/01/01 to the first end that fills 13 pages on
// paper. A year fills 8 (a row a day, the diary text cut to its line), so the
// period runs on past the year: the print code takes any period, only the
// period dialog keeps a person's to a year.
ReportInput ThirteenPages(const ReportPaper& paper) {
    ReportInput input = Diary().Input();
    for (int days = 365; days < 730; days += 7) {
        input.period.to = AddDays(input.period.from, days);
        if (PrepareReport(input, paper).PageCount() >= 13) break;
    }
    return input;
}

// Where a spool's time goes: the spooler's calls timed as the print code makes them.
struct SpoolSplit {
    std::chrono::steady_clock::time_point mark;
    double startDoc = 0, pages = 0, endDoc = 0;
} g_split;
int WINAPI TimedStartDoc(HDC dc, const DOCINFOA* job) {
    const auto start = std::chrono::steady_clock::now();
    const int result = StartDocA(dc, job);
    g_split.startDoc += MillisecondsSince(start);
    return result;
}
int WINAPI TimedStartPage(HDC dc) {
    g_split.mark = std::chrono::steady_clock::now();
    return StartPage(dc);
}
int WINAPI TimedEndPage(HDC dc) {
    const int result = EndPage(dc);
    g_split.pages += MillisecondsSince(g_split.mark);
    return result;
}
int WINAPI TimedEndDoc(HDC dc) {
    const auto start = std::chrono::steady_clock::now();
    const int result = EndDoc(dc);
    g_split.endDoc += MillisecondsSince(start);
    return result;
}

// Goal: spooling (StartDoc to EndDoc on the queue) within 1.5 x the sum of
// the page draws (each page recorded into a metafile), best of three each.
// Under Wine the pages drawn on the printer take nearly all of it: its
// PostScript driver sends the Japanese TrueType face (its tables, some
// megabytes) again on every page, and each character as a glyph of its own.
PELMO_TIMING(ReportThirteenPagesSpooledToCups, 1) {
    const char* queue = std::getenv("PELMO_CUPS_PRINTER");
    if (queue == nullptr) {
        std::puts("  ReportThirteenPagesSpooledToCups skipped: no CUPS PDF queue (./pelmo bench starts one as root)");
        return;
    }
    HDC printer = CreateDCA("WINSPOOL", queue, nullptr, nullptr);
    if (printer == nullptr) {
        std::printf("  ReportThirteenPagesSpooledToCups skipped: the spooler does not know the queue %s\n", queue);
        return;
    }
    const ReportPaper paper = PaperOfDevice(printer);
    const ReportInput input = ThirteenPages(paper);
    const ReportDocument document = PrepareReport(input, paper);
    RECT frame = {0, 0, MulDiv(paper.paperWidth, 2540, paper.dpiX), MulDiv(paper.paperHeight, 2540, paper.dpiY)};
    double draws = 1e300, spool = 1e300;
    bool printed = true;
    const SpoolerCalls timed = {TimedStartDoc, TimedStartPage, TimedEndPage, TimedEndDoc, AbortDoc};
    const SpoolerCalls spooler = SetSpoolerCalls(&timed);
    for (int round = 0; round < 3; ++round) {
        double sum = 0;
        for (int page = 0; page < document.PageCount(); ++page) {
            const auto start = std::chrono::steady_clock::now();
            HDC dc = CreateEnhMetaFileA(printer, nullptr, &frame, nullptr);
            DrawReportPage(dc, document, page);
            DeleteEnhMetaFile(CloseEnhMetaFile(dc));
            sum += MillisecondsSince(start);
        }
        draws = std::min(draws, sum);
        g_split = SpoolSplit{};
        const auto start = std::chrono::steady_clock::now();
        printed = printed && PrintReportOn(printer, input) == PrintOutcome::kPrinted;
        spool = std::min(spool, MillisecondsSince(start));
    }
    SetSpoolerCalls(&spooler);
    DeleteDC(printer);
    std::printf("  %d pages (%04d/%02d/%02d to %04d/%02d/%02d, %d dpi) on %s: spooled in %.1f ms, "
                "page draws %.1f ms in all: %.2f x (goal under 1.5 x)%s%s\n",
                document.PageCount(), input.period.from.year, input.period.from.month, input.period.from.day,
                input.period.to.year, input.period.to.month, input.period.to.day, paper.dpiX, queue, spool, draws,
                spool / draws, spool < 1.5 * draws ? "" : "  GOAL MISSED", printed ? "" : "  (the spooler refused it)");
    std::printf("  last spool: StartDoc %.1f ms, pages (StartPage to EndPage, drawn on the printer) %.1f ms, EndDoc %.1f ms\n",
                g_split.startDoc, g_split.pages, g_split.endDoc);
}

}  // namespace
