// A diary for the report's tests: days with weights, body fat and diary
// texts, a user with a name, height and target, and the report's input.
#ifndef PELMO_TESTS_REPORT_PRINTING_REPORT_TEST_DIARY_H
#define PELMO_TESTS_REPORT_PRINTING_REPORT_TEST_DIARY_H

#include <cstdio>
#include <cstring>
#include <vector>

#include "charts/chart_dates.h"
#include "charts/chart_items.h"
#include "evaluation/test_records.h"
#include "report/report_content.h"

struct ReportTestDiary {
    std::vector<DailyRecord> records;
    UserHeader header = HeaderOfHeight(165.0);
    InputItemFlags flags = {};

    // One day from `first` for `days` days, the weight falling 0.1 kg a day
    // from 72 kg; every day has body fat; the 5th day's diary is long.
    ReportTestDiary(CalendarDate first, int days) {
        std::strcpy(header.name, "佐藤一郎");
        header.targetWeight = 65.0;
        header.targetBodyFat = 20.0;
        for (int i = 0; i < days; ++i, first = advanceDate(first, 1)) {
            char key[kDateLength];
            DateKeyOf(first, key);
            DailyRecord record = DayRecord(key, 72.0 - 0.1 * i);
            record.bodyFat = 25.0 - 0.05 * i;
            std::snprintf(record.diary, sizeof record.diary, "%d日目の記録", i + 1);
            if (i == 4)
                std::snprintf(record.diary, sizeof record.diary, "%s",
                              "朝は散歩を三十分、昼は野菜を多めにした定食、夜は早めに寝た。明日は体重計に乗る前に水を飲まないこと。");
            records.push_back(record);
        }
    }

    ReportInput Input(const ReportPeriod& period, int leftItem = kChartWeight, int rightItem = kChartBodyFat) const {
        ReportInput input;
        input.records = records.data();
        input.count = static_cast<uint32_t>(records.size());
        input.header = &header;
        input.flags = &flags;
        input.period = period;
        input.leftItem = leftItem;
        input.rightItem = rightItem;
        input.printedOn = {2026, 12, 8};
        return input;
    }
};

#endif
