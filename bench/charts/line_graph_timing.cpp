// Painting the year graph with two series (weight and body fat), as every
// move in the record table repaints it, on a diary of one year and of ten
// years that end on the same day. The graph finds its year's records by
// halving, so the ten-year diary should paint about as fast as the one-year one.
// One damaged day (a weight of 1e300) must not slow the paint down either. With
// both trend lines (weight and body fat) the same year graph paints within 1.2 ×
// the time without them.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "charts/chart_items.h"
#include "charts/painters/chart_drawing.h"
#include "charts/painters/line_graph.h"
#include "corelib/dates.h"
#include "evaluation/trend.h"
#include "support/timing.h"

namespace {

constexpr int kWidth = 972;
constexpr int kHeight = 645;

struct Diary {
    std::vector<DailyRecord> records;
    UserHeader header = {};
    InputItemFlags flags = {{1, 1, 1, 1, 1, 1, 1}};
};

// `days` days ending on 2026-12-31.
Diary MakeDiary(int days) {
    Diary diary;
    diary.header.height = 165.0;
    diary.header.targetWeight = 58.0;
    diary.header.targetBodyFat = 24.0;
    CalendarDate date = AddDays(CalendarDate{2026, 12, 31}, -(days - 1));
    for (int i = 0; i < days; ++i, date = AddDays(date, 1)) {
        DailyRecord record = {};
        char key[16];
        std::snprintf(key, sizeof key, "%04d%02d%02d", date.year, date.month, date.day);
        std::memcpy(record.date, key, kDateLength);
        record.weight = 60.0 + (i % 50) * 0.1;
        record.bodyFat = 22.0 + (i % 30) * 0.1;
        diary.records.push_back(record);
    }
    return diary;
}

// A memory context of the diary window's size, with the chart palette.
struct Canvas {
    Canvas() {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        SelectObject(dc, bitmap);
        palette = CreateChartPalette(0);
    }
    HDC dc;
    HBITMAP bitmap;
    HPALETTE palette;
};

// The trends as the diary window keeps them: worked out once per change of the records.
struct Trends {
    TrendSeries weight, bodyFat;
    explicit Trends(const Diary& diary) {
        const auto count = static_cast<std::uint32_t>(diary.records.size());
        weight = ComputeTrend(diary.records.data(), count, TrendQuantity::kWeight);
        bodyFat = ComputeTrend(diary.records.data(), count, TrendQuantity::kBodyFat);
    }
};

void PaintYearGraph(const Diary& diary, const Trends* trends = nullptr) {
    static Canvas canvas;
    LineGraphInput input;
    input.windowWidth = kWidth;
    input.windowHeight = kHeight;
    input.ascent = 16;
    input.listHeight = 300;
    input.itemComboHeight = 20;
    input.leftItem = kChartWeight;
    input.rightItem = kChartBodyFat;
    input.period = kGraphPeriodYearly;
    input.periodKey = "2026";
    input.calendarText = "2026/12/31";
    input.records = diary.records.data();
    input.count = static_cast<std::uint32_t>(diary.records.size());
    input.header = &diary.header;
    input.flags = &diary.flags;
    if (trends) {
        input.leftTrend = &trends->weight;
        input.rightTrend = &trends->bodyFat;
    }
    drawGraph(canvas.dc, canvas.palette, input);
}

}  // namespace

PELMO_TIMING(YearGraphTwoSeries365Days, 200) {
    static const Diary diary = MakeDiary(365);
    PaintYearGraph(diary);
}

PELMO_TIMING(YearGraphTwoSeries3650Days, 200) {
    static const Diary diary = MakeDiary(3650);
    PaintYearGraph(diary);
}

// With both trend lines: the goal is at most 1.2 × YearGraphTwoSeries3650Days of the same run.
PELMO_TIMING(YearGraphTwoSeries3650DaysTrends, 200) {
    static const Diary diary = MakeDiary(3650);
    static const Trends trends(diary);
    PaintYearGraph(diary, &trends);
}

PELMO_TIMING(YearGraphOneDamagedWeight, 20) {
    static const Diary diary = [] {
        Diary damaged = MakeDiary(365);
        damaged.records[100].weight = 1e300;
        return damaged;
    }();
    PaintYearGraph(diary);
}
