#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "charts/chart_dates.h"
#include "evaluation/period.h"
#include "evaluation/trend.h"

namespace {

// Ten years of daily records, 2000-01-01 onwards, as the record block holds them.
struct TenYearDiary {
    std::vector<DailyRecord> records;
    UserHeader header;

    TenYearDiary() : records(3650) {
        std::memset(&header, 0, sizeof header);
        header.height = 170.0;
        CalendarDate date = {2000, 1, 1};
        for (std::size_t i = 0; i < records.size(); ++i) {
            DailyRecord& record = records[i];
            std::memset(&record, 0, sizeof record);
            char key[16];
            std::snprintf(key, sizeof key, "%04d%02d%02d", date.year, date.month, date.day);
            std::memcpy(record.date, key, kDateLength);
            record.weight = 60.0 + static_cast<double>(i % 50) / 10.0;
            date = advanceDate(date, 1);
        }
        header.recordCount = static_cast<uint32_t>(records.size());
    }
};

const TenYearDiary& Diary() {
    static const TenYearDiary diary;
    return diary;
}

void BM_EvaluatePeriodYear(benchmark::State& state) {
    const TenYearDiary& diary = Diary();
    char key[kPeriodKeyCapacity] = "2005";
    for (auto _ : state) {
        AnalysisResult result = EvaluatePeriod(diary.records.data(), diary.header.recordCount, diary.header, 2000,
                                               nullptr, kAnalysisYearly, key);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_EvaluatePeriodYear);

// Without a selected row: the calendar's date is searched from the first record (the last day is the worst case).
void BM_EvaluatePeriodDayFromCalendar(benchmark::State& state) {
    const TenYearDiary& diary = Diary();
    char key[kPeriodKeyCapacity] = {};
    for (auto _ : state) {
        AnalysisResult result = EvaluatePeriod(diary.records.data(), diary.header.recordCount, diary.header, -1,
                                               "2009/12/29", kAnalysisDaily, key);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_EvaluatePeriodDayFromCalendar);

void BM_PeriodStartIndex360Days(benchmark::State& state) {
    const TenYearDiary& diary = Diary();
    for (auto _ : state)
        benchmark::DoNotOptimize(periodStartIndex(diary.records.data(), diary.header.recordCount, {2009, 12, 29}, 360));
}
BENCHMARK(BM_PeriodStartIndex360Days);

// What a change of the records costs: the whole trend of ten years, worked out again.
void BM_ComputeTrendTenYears(benchmark::State& state) {
    const TenYearDiary& diary = Diary();
    for (auto _ : state) {
        TrendSeries series = ComputeTrend(diary.records.data(), diary.header.recordCount, TrendQuantity::kWeight);
        benchmark::DoNotOptimize(series);
    }
}
BENCHMARK(BM_ComputeTrendTenYears);

// What each paint of the BMI chart costs: the figures of one day from the kept trend.
void BM_TrendFiguresOfADay(benchmark::State& state) {
    const TenYearDiary& diary = Diary();
    const TrendSeries series = ComputeTrend(diary.records.data(), diary.header.recordCount, TrendQuantity::kWeight);
    const long day = DayNumberOfDate("20090601");
    for (auto _ : state) {
        TrendFigures figures =
            TrendFiguresOn(series, diary.records.data(), diary.header.recordCount, TrendQuantity::kWeight, day, 58.0);
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_TrendFiguresOfADay);

}  // namespace
