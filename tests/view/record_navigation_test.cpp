// The calendar's navigation requests, the record table's columns and the date
// a line shows.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "view/record_navigation.h"

namespace {

std::vector<DailyRecord> Days(std::initializer_list<const char*> dates) {
    std::vector<DailyRecord> days;
    for (const char* date : dates) {
        DailyRecord record;
        std::memset(&record, 0, sizeof record);
        std::memcpy(record.date, date, kDateLength);
        days.push_back(record);
    }
    return days;
}

NavigationStep Ask(const std::vector<DailyRecord>& days, long selection, int code, long line = 0,
                   const char* calendar = "") {
    return NavigateRecords(days.data(), static_cast<std::uint32_t>(days.size()), selection, code, line, calendar);
}

const std::size_t kTitleLengths[kRecordTableColumns] = {5, 5, 6, 6, 8, 10, 9};

}  // namespace

TEST(RecordColumns, FollowTheTitlesByteLengths) {
    RecordColumns c = ComputeColumns(16, kTitleLengths);  // h = 8
    const int expected[kRecordTableColumns] = {2, 45, 88, 139, 190, 257, 340};
    for (int i = 0; i < kRecordTableColumns; ++i) EXPECT_EQ(c.start[i], expected[i]) << i;
    EXPECT_EQ(c.width, 23 + 49 * 8);
    EXPECT_EQ(ComputeColumns(13, kTitleLengths).width, 23 + 49 * 6);  // h rounds down
    // A font that needs more than the rule widens only the columns it does not fit.
    const int needed[kRecordTableColumns] = {46, 30, 0, 55, 0, 0, 80};
    RecordColumns wide = ComputeColumns(16, kTitleLengths, needed);
    const int widened[kRecordTableColumns] = {2, 51, 94, 145, 203, 270, 353};
    for (int i = 0; i < kRecordTableColumns; ++i) EXPECT_EQ(wide.start[i], widened[i]) << i;
    EXPECT_EQ(wide.width, 353 + 3 + 80);
}

TEST(Navigation, NextAndPreviousRecordStopAtTheEnds) {
    auto days = Days({"20070101", "20070102", "20070103"});
    EXPECT_EQ(Ask(days, 0, 0).line, 1);
    EXPECT_EQ(Ask(days, 0, 0).result, 20070102L);
    EXPECT_EQ(Ask(days, 2, 0).line, -1);  // the last record: the blank line is not a record
    EXPECT_EQ(Ask(days, 2, 0).result, 0);
    EXPECT_EQ(Ask(days, 0, 1).result, 0);
    EXPECT_EQ(Ask(days, 3, 1).line, 2);   // from the blank line to the last record
    EXPECT_EQ(Ask(days, 3, 0).line, -1);
    EXPECT_EQ(Ask(days, -1, 0).line, -1);  // no selection moves nowhere
    EXPECT_EQ(Ask({}, 0, 1).line, -1);
    EXPECT_EQ(Ask({}, 0, 0).line, -1);
}

TEST(Navigation, NextMonthIsTheNextMonthOfAYearNotTheSameMonthNumber) {
    auto days = Days({"20060131", "20070105", "20070201"});
    // January 2007 is another month than January 2006.
    EXPECT_EQ(Ask(days, 0, 2).line, 1);
    EXPECT_EQ(Ask(days, 0, 2).result, 20070105L);
    EXPECT_EQ(Ask(days, 1, 2).line, 2);
    EXPECT_EQ(Ask(days, 2, 2).line, -1);
    // Within one month to the end: the last record.
    auto one = Days({"20070101", "20070102", "20070103"});
    EXPECT_EQ(Ask(one, 0, 2).line, 2);
}

TEST(Navigation, PreviousMonthGoesToTheFirstDayOfTheMonthBefore) {
    auto days = Days({"20061230", "20070105", "20070110", "20070112", "20070201"});
    // From the blank line: the first record of the last record's month run.
    EXPECT_EQ(Ask(days, 5, 3).line, 4);
    // From the first day of February: the first day of January.
    EXPECT_EQ(Ask(days, 4, 3).line, 1);
    EXPECT_EQ(Ask(days, 4, 3).result, 20070105L);
    // From record 1 when record 0 has another month: record 0.
    EXPECT_EQ(Ask(days, 1, 3).line, 0);
    // Within a month: the first day of that month.
    EXPECT_EQ(Ask(days, 3, 3).line, 1);
    EXPECT_EQ(Ask(days, 0, 3).line, -1);
    // The month of another year with the same number is not joined to the run.
    auto years = Days({"20060115", "20070110", "20070120"});
    EXPECT_EQ(Ask(years, 3, 3).line, 1);
}

TEST(Navigation, SelectLineAndCalendarDate) {
    auto days = Days({"20070101", "20070103"});
    EXPECT_EQ(Ask(days, 0, 4, 2).line, 2);
    EXPECT_EQ(Ask(days, 0, 4, 2).result, 1);
    EXPECT_EQ(Ask(days, 0, 4, 3).line, -1);  // past the blank line
    EXPECT_EQ(Ask(days, 0, 5, 0, "2007/01/03").line, 1);
    EXPECT_EQ(Ask(days, 0, 5, 0, "2007/01/03").result, 1);
    EXPECT_EQ(Ask(days, 0, 5, 0, "2007/01/02").line, 2);  // no record: the blank line
    EXPECT_EQ(Ask(days, 0, 5, 0, "").line, 2);
    EXPECT_EQ(Ask(days, 0, 6).line, -1);
    EXPECT_EQ(Ask(days, 0, 6).result, 0);
}

TEST(Navigation, ShownDateIsTheRecordsOrToday) {
    auto days = Days({"20070105"});
    char out[11];
    ShownDateOfLine(days.data(), 1, 0, {2026, 12, 7}, out);
    EXPECT_STREQ(out, "2007/01/05");
    ShownDateOfLine(days.data(), 1, 1, {2026, 12, 7}, out);
    EXPECT_STREQ(out, "2026/12/07");
    ShownDateOfLine(days.data(), 1, -1, {2026, 3, 9}, out);
    EXPECT_STREQ(out, "2026/03/09");
}
