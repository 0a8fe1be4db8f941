// The trend, its weekly rate and the projected day, against a reference
// written the plain way: a loop over the calendar, day by day.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "corelib/dates.h"
#include "diary/diary_store.h"
#include "evaluation/diary_trend.h"
#include "evaluation/test_records.h"
#include "evaluation/trend.h"

namespace {

std::string KeyOf(const CalendarDate& date) {
    char key[16];
    std::snprintf(key, sizeof key, "%04d%02d%02d", date.year, date.month, date.day);
    return key;
}

long DayOf(const char* key) { return DayNumberOfDate(key); }

struct Day {
    const char* date;
    double value;
};

std::vector<DailyRecord> Records(const std::vector<Day>& days, TrendQuantity quantity) {
    std::vector<DailyRecord> records;
    for (const Day& day : days) {
        records.push_back(DayRecord(day.date, quantity == TrendQuantity::kWeight ? day.value : 61.0));
        if (quantity == TrendQuantity::kBodyFat) records.back().bodyFat = day.value;
    }
    return records;
}

// The reference: walk the calendar from the first usable day to the last one;
// a day without a usable value looks for its neighbours and interpolates.
struct Reference {
    std::vector<std::string> dates;
    std::vector<double> trend;
    std::vector<int> recorded;  // 1 where the day has a usable value
};

bool Usable(double value, double largest) { return value > 0 && value <= largest; }

Reference ReferenceTrend(const std::vector<Day>& days, double largest) {
    std::vector<Day> usable;
    for (const Day& day : days)
        if (Usable(day.value, largest) && DayOf(day.date) > 0) usable.push_back(day);
    Reference reference;
    if (usable.empty()) return reference;
    CalendarDate date;
    ReadDateKey(usable.front().date, &date);
    double trend = usable.front().value;
    for (std::size_t next = 0;; date = advanceDate(date, 1)) {
        const std::string key = KeyOf(date);
        while (next < usable.size() && key > usable[next].date) ++next;
        double value;
        const bool recorded = key == usable[next].date;
        if (recorded) {
            value = usable[next].value;
        } else {
            const Day& before = usable[next - 1];
            const Day& after = usable[next];
            // Count the days from `before` to today and to `after` by stepping.
            int fromBefore = 0, span = 0;
            CalendarDate step;
            ReadDateKey(before.date, &step);
            while (KeyOf(step) != after.date) {
                if (KeyOf(step) < key) ++fromBefore;
                step = advanceDate(step, 1);
                ++span;
            }
            value = before.value + (after.value - before.value) * fromBefore / span;
        }
        if (!reference.dates.empty()) trend = trend + 0.1 * (value - trend);
        reference.dates.push_back(key);
        reference.trend.push_back(trend);
        reference.recorded.push_back(recorded);
        if (key == usable.back().date) break;
    }
    return reference;
}

// The reference rate: the plain least-squares slope over the 14 days.
bool ReferenceRate(const Reference& reference, std::size_t at, double* perWeek) {
    int recorded = 0;
    for (std::size_t i = at >= 13 ? at - 13 : 0; i <= at; ++i) recorded += reference.recorded[i];
    if (recorded < 4) return false;
    const std::size_t first = at >= 13 ? at - 13 : 0;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const double n = static_cast<double>(at - first + 1);
    for (std::size_t i = first; i <= at; ++i) {
        const double x = static_cast<double>(i - first), y = reference.trend[i];
        sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    *perWeek = (n * sxy - sx * sy) / (n * sxx - sx * sx) * 7.0;
    return true;
}

// Ten years of days, with every kind of gap sprinkled in.
std::vector<Day> TenYears(std::vector<std::string>* keys) {
    std::vector<Day> days;
    CalendarDate date = {2003, 3, 1};
    keys->reserve(3650);
    for (int i = 0; i < 3650; ++i, date = advanceDate(date, 1)) {
        if (i % 7 == 3 || (i > 1000 && i < 1040)) continue;  // days not written at all
        keys->push_back(KeyOf(date));
        double value = 70.0 - i * 0.003 + ((i * 37) % 11) * 0.15;
        if (i % 97 == 5) value = 0;
        if (i % 131 == 7) value = -4;
        if (i % 173 == 9) value = std::numeric_limits<double>::quiet_NaN();
        if (i % 211 == 11) value = 1e10;
        days.push_back({nullptr, value});
    }
    for (std::size_t i = 0; i < days.size(); ++i) days[i].date = (*keys)[i].c_str();
    return days;
}

TEST(Trend, MatchesTheDayByDayReference) {
    std::vector<std::string> tenYearKeys;
    const struct {
        const char* name;
        std::vector<Day> days;
        TrendQuantity quantity;
    } cases[] = {
        {"worked: 150 then 152", {{"20240101", 150.0}, {"20240102", 152.0}}, TrendQuantity::kWeight},
        {"worked: a day between", {{"20240101", 60.0}, {"20240103", 61.0}}, TrendQuantity::kWeight},
        {"a single day", {{"20240101", 60.0}}, TrendQuantity::kWeight},
        {"no day", {}, TrendQuantity::kWeight},
        {"only gaps", {{"20240101", 0.0}, {"20240102", -1.0}}, TrendQuantity::kWeight},
        {"leap day in between", {{"20040228", 60.0}, {"20040301", 63.0}}, TrendQuantity::kWeight},
        {"no leap day", {{"20050228", 60.0}, {"20050301", 63.0}}, TrendQuantity::kWeight},
        {"2000 is a leap year here", {{"20000228", 60.0}, {"20000302", 66.0}}, TrendQuantity::kWeight},
        {"across the year", {{"20041230", 60.0}, {"20050102", 58.0}, {"20050103", 59.0}}, TrendQuantity::kWeight},
        {"damaged values are gaps",
         {{"20240101", 60.0}, {"20240102", 0.0}, {"20240103", -3.0}, {"20240104", 1e10},
          {"20240105", std::numeric_limits<double>::quiet_NaN()}, {"20240106", 62.0}, {"20240107", 1e10}},
         TrendQuantity::kWeight},
        {"a long gap", {{"20240101", 80.0}, {"20240501", 70.0}, {"20240502", 71.0}}, TrendQuantity::kWeight},
        {"body fat", {{"20240101", 25.0}, {"20240102", 0.0}, {"20240104", 24.0}, {"20240105", 101.0}},
         TrendQuantity::kBodyFat},
        {"ten years", TenYears(&tenYearKeys), TrendQuantity::kWeight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const double largest = c.quantity == TrendQuantity::kWeight ? 1000.0 : 100.0;
        const std::vector<DailyRecord> records = Records(c.days, c.quantity);
        const auto count = static_cast<std::uint32_t>(records.size());
        const TrendSeries series = ComputeTrend(records.data(), count, c.quantity);
        const Reference reference = ReferenceTrend(c.days, largest);
        ASSERT_EQ(series.values.size(), reference.trend.size());
        if (reference.trend.empty()) continue;
        EXPECT_EQ(series.firstDay, DayOf(reference.dates.front().c_str()));
        for (std::size_t i = 0; i < reference.trend.size(); ++i) {
            double value = 0;
            const long day = DayOf(reference.dates[i].c_str());
            ASSERT_TRUE(TrendOnDay(series, day, &value)) << reference.dates[i];
            ASSERT_NEAR(value, reference.trend[i], 1e-9) << reference.dates[i];
            double expected;
            const WeeklyRate rate = WeeklyRateOn(series, records.data(), count, c.quantity, day);
            ASSERT_EQ(rate.known, ReferenceRate(reference, i, &expected)) << reference.dates[i];
            if (rate.known) {
                ASSERT_NEAR(rate.kgPerWeek, expected, 1e-9) << reference.dates[i];
            }
        }
        double outside;
        EXPECT_FALSE(TrendOnDay(series, series.firstDay - 1, &outside));
        EXPECT_FALSE(TrendOnDay(series, TrendLastDay(series) + 1, &outside));
        EXPECT_FALSE(WeeklyRateOn(series, records.data(), count, c.quantity, TrendLastDay(series) + 1).known);
    }
}

TEST(Trend, WorkedCasesByHand) {
    const std::vector<DailyRecord> twoDays = {DayRecord("20240101", 150.0), DayRecord("20240102", 152.0)};
    const TrendSeries pulled = ComputeTrend(twoDays.data(), 2, TrendQuantity::kWeight);
    ASSERT_EQ(pulled.values.size(), 2u);
    EXPECT_NEAR(pulled.values[1], 150.2, 1e-12);

    const std::vector<DailyRecord> gap = {DayRecord("20240101", 60.0), DayRecord("20240103", 61.0)};
    const TrendSeries between = ComputeTrend(gap.data(), 2, TrendQuantity::kWeight);
    ASSERT_EQ(between.values.size(), 3u);
    EXPECT_NEAR(between.values[0], 60.0, 1e-12);
    EXPECT_NEAR(between.values[1], 60.05, 1e-12);
    EXPECT_NEAR(between.values[2], 60.145, 1e-12);
}

TEST(Trend, DamagedDatesAreGapsAndNeverStretchTheSeries) {
    // Feb 31, month 13, a year before 2000 and after 2099, letters, and a date seen twice.
    const std::vector<DailyRecord> records = {
        DayRecord("19991231", 90.0), DayRecord("20040101", 60.0), DayRecord("20040101", 99.0),
        DayRecord("20040231", 99.0), DayRecord("20041301", 99.0), DayRecord("2004x301", 99.0),
        DayRecord("20040303", 62.0), DayRecord("21000101", 99.0), DayRecord("99991231", 99.0)};
    const TrendSeries series = ComputeTrend(records.data(), static_cast<std::uint32_t>(records.size()),
                                            TrendQuantity::kWeight);
    EXPECT_EQ(series.firstDay, DayOf("20040101"));
    EXPECT_EQ(TrendLastDay(series), DayOf("20040303"));
    for (double value : series.values) EXPECT_TRUE(value >= 60.0 && value <= 62.0) << value;
}

TEST(Trend, ProjectedDay) {
    const long day = DayOf("20261111");
    const WeeklyRate losing = {true, -0.3}, gaining = {true, 0.1}, flat = {true, 0.0}, unknown = {};
    const struct {
        const char* name;
        double trend;
        WeeklyRate rate;
        double target;
        TargetOutlook outlook;
        long days;
    } cases[] = {
        {"5.1 kg at 0.3 a week: 119 days, not 120", 55.1, losing, 50.0, TargetOutlook::kDate, 119},
        {"a part of a day is a whole one", 55.2, losing, 50.0, TargetOutlook::kDate, 122},
        {"two years exactly", 50.0 + 730 * 0.3 / 7, losing, 50.0, TargetOutlook::kDate, 730},
        {"a day past two years", 50.0 + 731 * 0.3 / 7, losing, 50.0, TargetOutlook::kTooFar, 0},
        {"at the target at the tenth shown", 50.04, losing, 50.0, TargetOutlook::kReached, 0},
        {"below the target", 48.0, gaining, 50.0, TargetOutlook::kReached, 0},
        {"reached needs no rate", 49.0, unknown, 50.0, TargetOutlook::kReached, 0},
        {"just above", 50.05, losing, 50.0, TargetOutlook::kDate, 2},
        {"gaining away from it", 55.1, gaining, 50.0, TargetOutlook::kMovingAway, 0},
        {"not moving", 55.1, flat, 50.0, TargetOutlook::kMovingAway, 0},
        {"no rate", 55.1, unknown, 50.0, TargetOutlook::kNoRate, 0},
        {"no target", 55.1, losing, 0.0, TargetOutlook::kNoTarget, 0},
        {"a damaged target", 55.1, losing, std::numeric_limits<double>::quiet_NaN(), TargetOutlook::kNoTarget, 0},
        {"a damaged rate", 55.1, {true, std::numeric_limits<double>::infinity()}, 50.0, TargetOutlook::kNoRate, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TargetProjection projection = ProjectTarget(c.trend, c.rate, c.target, day);
        EXPECT_EQ(projection.outlook, c.outlook);
        if (c.outlook == TargetOutlook::kDate) {
            EXPECT_EQ(projection.day, day + c.days);
        }
        EXPECT_EQ(std::strlen(TargetOutlookWords(c.outlook)) == 0, c.outlook == TargetOutlook::kDate);
    }
}

TEST(Trend, FiguresOfADayAndTheLastRecordedDayOfAPeriod) {
    // Down 0.1 kg a day through March 2024, with a day not weighed at the end.
    std::vector<DailyRecord> records;
    for (int d = 1; d <= 31; ++d) {
        char key[16];
        std::snprintf(key, sizeof key, "202403%02d", d);
        records.push_back(DayRecord(key, d == 31 ? 0.0 : 70.0 - 0.1 * d));
    }
    const auto count = static_cast<std::uint32_t>(records.size());
    const TrendSeries series = ComputeTrend(records.data(), count, TrendQuantity::kWeight);
    const long last = LastRecordedDayOfPeriod(records.data(), count, TrendQuantity::kWeight, "202403", 6);
    EXPECT_EQ(last, DayOf("20240330"));
    EXPECT_EQ(LastRecordedDayOfPeriod(records.data(), count, TrendQuantity::kWeight, "2024", 4), last);
    EXPECT_EQ(LastRecordedDayOfPeriod(records.data(), count, TrendQuantity::kWeight, "202404", 6), 0);
    EXPECT_EQ(LastRecordedDayOfPeriod(records.data(), count, TrendQuantity::kBodyFat, "2024", 4), 0);
    EXPECT_EQ(LastRecordedDayOfPeriod(records.data(), count, TrendQuantity::kWeight, "20", 4), 0);

    const TrendFigures figures = TrendFiguresOn(series, records.data(), count, TrendQuantity::kWeight, last, 60.0);
    ASSERT_TRUE(figures.known && figures.rate.known);
    EXPECT_LT(figures.rate.kgPerWeek, -0.5);  // the trend follows the 0.7 kg a week with a lag
    EXPECT_GT(figures.rate.kgPerWeek, -0.7);
    EXPECT_EQ(figures.projection.outlook, TargetOutlook::kDate);
    EXPECT_FALSE(TrendFiguresOn(series, records.data(), count, TrendQuantity::kWeight, last + 1, 60.0).known);
}

// The open diary's trend is worked out once per change of the records, not
// once per look: a paint asks for it again and again.
TEST(Trend, OpenDiaryTrendFollowsTheRecordsAndNothingElse) {
    CloseUser();
    EXPECT_TRUE(DiaryTrend(TrendQuantity::kWeight).values.empty());
    StoreDay(DayRecord("20240101", 60.0));
    StoreDay(DayRecord("20240103", 61.0));
    DiaryTrend(TrendQuantity::kWeight);
    const std::uint64_t before = DiaryTrendComputations();
    for (int paint = 0; paint < 5; ++paint) EXPECT_EQ(DiaryTrend(TrendQuantity::kWeight).values.size(), 3u);
    SetRecordBmi(0, 22.0);  // the row painter's cache is no change of the records
    EXPECT_EQ(DiaryTrend(TrendQuantity::kWeight).values.size(), 3u);
    EXPECT_EQ(DiaryTrendComputations(), before);

    StoreDay(DayRecord("20240102", 62.0));  // a day between: no new length, new values
    EXPECT_NEAR(DiaryTrend(TrendQuantity::kWeight).values[1], 60.2, 1e-12);
    DeleteDay(2);
    EXPECT_EQ(DiaryTrend(TrendQuantity::kWeight).values.size(), 2u);
    EXPECT_EQ(DiaryTrendComputations(), before + 2);
    CloseUser();
    EXPECT_TRUE(DiaryTrend(TrendQuantity::kWeight).values.empty());
}

}  // namespace
