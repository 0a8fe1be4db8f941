// The texts of a record-table row.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "charts/record_row.h"

namespace {
DailyRecord Day(double weight, double bodyFat) {
    DailyRecord record;
    std::memset(&record, 0, sizeof record);
    std::memcpy(record.date, "20070105", kDateLength);
    record.weight = weight;
    record.bodyFat = bodyFat;
    return record;
}
UserHeader User(double height, double targetWeight, double targetBodyFat) {
    UserHeader header;
    std::memset(&header, 0, sizeof header);
    header.height = height;
    header.targetWeight = targetWeight;
    header.targetBodyFat = targetBodyFat;
    return header;
}
}  // namespace

TEST(RecordRow, SeventyKilosAtOneSeventy) {
    RecordRowTexts row = FormatRecordRow(Day(70.0, 22.5), User(170.0, 65.0, 20.0));
    EXPECT_STREQ(row.date, "01/05");
    EXPECT_STREQ(row.weight, " 70.0");
    EXPECT_STREQ(row.bodyFat, "22.5");
    EXPECT_STREQ(row.bmi, "  24.2");
    EXPECT_STREQ(row.bmiClass, "普通体重");
    EXPECT_STREQ(row.weightDifference, "   5.0");
    EXPECT_STREQ(row.bodyFatDifference, "   2.5");
    EXPECT_NEAR(row.bmiValue, 24.2214, 1e-4);
}

TEST(RecordRow, WithoutBodyFatTheWeightDifferenceStays) {
    RecordRowTexts row = FormatRecordRow(Day(60.0, 0.0), User(170.0, 65.0, 20.0));
    EXPECT_STREQ(row.bodyFat, "");
    EXPECT_STREQ(row.bodyFatDifference, "");
    EXPECT_STREQ(row.weightDifference, "  -5.0");
}

TEST(RecordRow, WithoutAHeightNoBmiClassOrWeightDifference) {
    RecordRowTexts row = FormatRecordRow(Day(60.0, 20.0), User(0.0, 65.0, 20.0));
    EXPECT_STREQ(row.weight, " 60.0");
    EXPECT_STREQ(row.bmi, "");
    EXPECT_STREQ(row.bmiClass, "");
    EXPECT_STREQ(row.weightDifference, "");
    EXPECT_STREQ(row.bodyFatDifference, "   0.0");
    EXPECT_EQ(row.bmiValue, 0.0);
}

// A difference to a target that is not set (0) is empty, never the measure itself.
TEST(RecordRow, NoDifferenceToATargetThatIsNotSet) {
    const struct {
        const char* what;
        double targetWeight, targetBodyFat;
        const char* weightDifference;
        const char* bodyFatDifference;
    } cases[] = {
        {"both set", 65.0, 20.0, "   5.0", "   6.0"},
        {"no body-fat target", 65.0, 0.0, "   5.0", ""},
        {"no weight target", 0.0, 20.0, "", "   6.0"},
        {"neither", 0.0, 0.0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordRowTexts row = FormatRecordRow(Day(70.0, 26.0), User(170.0, c.targetWeight, c.targetBodyFat));
        EXPECT_STREQ(row.weightDifference, c.weightDifference);
        EXPECT_STREQ(row.bodyFatDifference, c.bodyFatDifference);
        EXPECT_STREQ(row.bodyFat, "26.0");
    }
}

// A diary of more than one year shows the year on its first row and wherever
// the year changes; a diary of one year never does.
TEST(RecordRow, TheYearStandsWhereItChanges) {
    struct Case {
        std::vector<const char*> dates;
        std::vector<const char*> shown;
    };
    const Case cases[] = {
        {{"20250101", "20250630", "20251231"}, {"01/01", "06/30", "12/31"}},
        {{"20251230", "20251231", "20260101", "20260102"}, {"2025/12/30", "12/31", "2026/01/01", "01/02"}},
        {{"20230305", "20250305", "20250306", "20270101"}, {"2023/03/05", "2025/03/05", "03/06", "2027/01/01"}},
        {{"20240229"}, {"02/29"}},
    };
    for (const Case& c : cases) {
        std::vector<DailyRecord> records;
        for (const char* date : c.dates) {
            records.push_back(Day(60.0, 0.0));
            std::memcpy(records.back().date, date, kDateLength);
        }
        const std::uint32_t count = static_cast<std::uint32_t>(records.size());
        for (std::uint32_t i = 0; i < count; ++i) {
            const RecordRowTexts row = FormatRecordRow(records[i], User(170.0, 65.0, 20.0), RowShowsYear(records.data(), count, i));
            EXPECT_STREQ(row.date, c.shown[i]) << c.dates[i];
        }
        EXPECT_FALSE(RowShowsYear(records.data(), count, count));  // the blank last line
    }
    EXPECT_FALSE(RowShowsYear(nullptr, 0, 0));
    EXPECT_STREQ(WidestRecordRow().date, "2000/12/28");  // the date column is measured with its year
}
