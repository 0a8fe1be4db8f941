#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "evaluation/period.h"
#include "evaluation/test_records.h"

namespace {

class EvaluatePeriodTest : public ::testing::Test {
protected:
    void SetUp() override {
        records = {DayRecord("20040115", 60.0), DayRecord("20040120", 61.0), DayRecord("20040131", 0.0),
                   DayRecord("20040201", 70.0), DayRecord("20050301", 80.0)};
        std::memset(key, 0, sizeof key);
    }
    AnalysisResult Evaluate(int row, const char* calendar, int mode) {
        return EvaluatePeriod(records.data(), static_cast<uint32_t>(records.size()), header, row, calendar, mode,
                              key);
    }
    std::vector<DailyRecord> records;
    UserHeader header = HeaderOfHeight(170.0);
    char key[kPeriodKeyCapacity];
};

TEST_F(EvaluatePeriodTest, DailyTakesTheSelectedRowAndSetsTheKey) {
    AnalysisResult result = Evaluate(3, "1999/01/01", kAnalysisDaily);
    EXPECT_EQ(result.averageWeight, 70.0);
    EXPECT_EQ(result.bmiClass, kBmiNormal);
    EXPECT_STREQ(key, "20040201");
}

TEST_F(EvaluatePeriodTest, BlankLineOrNoSelectionFallsBackToTheCalendarDate) {
    EXPECT_EQ(Evaluate(5, "2004/01/20", kAnalysisDaily).averageWeight, 61.0);  // the blank last line
    EXPECT_STREQ(key, "20040120");
    EXPECT_EQ(Evaluate(-1, "2005/03/01", kAnalysisDaily).averageWeight, 80.0);
    EXPECT_STREQ(key, "20050301");
}

// The blank line with a calendar date that has no record (today, after a user
// is opened): the day analysis shows the latest recorded day, the month and
// year analyses the calendar's month or year, as for any row.
TEST_F(EvaluatePeriodTest, CalendarDateWithoutRecordShowsTheLatestDayOrTheKeysPeriod) {
    const struct {
        const char* what;
        int row;
        const char* calendar;
        int mode;
        const char* keyBefore;
        double average;
        const char* keyAfter;
    } cases[] = {
        {"day, blank line", 5, "2026/12/08", kAnalysisDaily, "", 80.0, "20050301"},
        {"day, no selection", -1, "2004/01/16", kAnalysisDaily, "", 80.0, "20050301"},
        {"day, no date", -1, "2004/01", kAnalysisDaily, "", 80.0, "20050301"},
        {"day, no calendar", -1, nullptr, kAnalysisDaily, "", 80.0, "20050301"},
        {"month with days", 5, "2004/01/16", kAnalysisMonthly, "200401", (60.0 + 61.0 + 0.0) / 3, "200401"},
        {"month without days", 5, "2004/03/16", kAnalysisMonthly, "200403", 0.0, "200403"},
        {"year with days", -1, "2004/12/24", kAnalysisYearly, "2004", (60.0 + 61.0 + 0.0 + 70.0) / 4, "2004"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::strcpy(key, c.keyBefore);
        const AnalysisResult result = Evaluate(c.row, c.calendar, c.mode);
        EXPECT_NEAR(result.averageWeight, c.average, 1e-9);
        EXPECT_EQ(result.lowerNormalWeight > 0.0, c.average > 0.0);
        EXPECT_STREQ(key, c.keyAfter);
    }
}

TEST_F(EvaluatePeriodTest, MonthAverageCountsTheDayWeighedZero) {
    std::strcpy(key, "200401");
    AnalysisResult result = Evaluate(0, nullptr, kAnalysisMonthly);
    EXPECT_NEAR(result.averageWeight, 40.3333, 1e-4);  // (60 + 61 + 0) / 3
    EXPECT_STREQ(key, "200401");                         // monthly mode never changes the key
}

TEST_F(EvaluatePeriodTest, YearAverageUsesTheKeyNotTheSelectedRecord) {
    std::strcpy(key, "2004");
    EXPECT_NEAR(Evaluate(4, nullptr, kAnalysisYearly).averageWeight, (60.0 + 61.0 + 0.0 + 70.0) / 4, 1e-12);
    std::strcpy(key, "2005");
    EXPECT_EQ(Evaluate(0, nullptr, kAnalysisYearly).averageWeight, 80.0);
}

TEST_F(EvaluatePeriodTest, PeriodWithoutRecordsOrWithAShortKeyGivesNoResult) {
    std::strcpy(key, "200403");
    EXPECT_EQ(Evaluate(0, nullptr, kAnalysisMonthly).averageWeight, 0.0);
    std::strcpy(key, "2004");  // a year key is too short for a month
    EXPECT_EQ(Evaluate(0, nullptr, kAnalysisMonthly).averageWeight, 0.0);
    std::memset(key, 0, sizeof key);
    EXPECT_EQ(Evaluate(0, nullptr, kAnalysisYearly).averageWeight, 0.0);
}

TEST_F(EvaluatePeriodTest, OtherModesAndZeroWeightDaysGiveNoResult) {
    EXPECT_EQ(Evaluate(0, nullptr, 3).averageWeight, 0.0);
    EXPECT_EQ(Evaluate(2, nullptr, kAnalysisDaily).averageWeight, 0.0);  // weighed 0
    EXPECT_STREQ(key, "20040131");
}

TEST_F(EvaluatePeriodTest, HeightZeroGivesNoResult) {
    header.height = 0.0;
    AnalysisResult result = Evaluate(0, nullptr, kAnalysisDaily);
    EXPECT_EQ(result.averageWeight, 0.0);
    EXPECT_EQ(result.bmi, 0.0);
    EXPECT_EQ(result.appropriatenessRate, 0.0);
}

TEST_F(EvaluatePeriodTest, EmptyDiaryGivesNoResult) {
    AnalysisResult result = EvaluatePeriod(nullptr, 0, header, 0, "2004/01/15", kAnalysisDaily, key);
    EXPECT_EQ(result.averageWeight, 0.0);
    EXPECT_STREQ(key, "");
}

TEST(AnalysedRecordIndex, FirstRecordOfTheCalendarDate) {
    std::vector<DailyRecord> records = {DayRecord("20040115", 60.0), DayRecord("20040116", 61.0)};
    EXPECT_EQ(AnalysedRecordIndex(records.data(), 2, -1, "2004/01/16"), 1);
    EXPECT_EQ(AnalysedRecordIndex(records.data(), 2, 2, "2004/01/15"), 0);
    EXPECT_EQ(AnalysedRecordIndex(records.data(), 2, 7, "2004/01/17"), kNoRecord);
}

}  // namespace
