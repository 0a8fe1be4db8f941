// The printed report of a year (365 days with diary texts, weight and body
// fat in the graph, A4 at 600 dpi): laying it out, one page of the preview at
// the diary window's size (compare with DiaryWindowPaint* of the same run:
// within twice one paint of the diary window), and every page recorded as
// the spooler records it (an enhanced metafile a page).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "charts/chart_items.h"
#include "corelib/dates.h"
#include "report/printing/report_pages.h"
#include "report/printing/report_preview.h"
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
        for (int i = 0; i < 365; ++i, date = AddDays(date, 1)) {
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
