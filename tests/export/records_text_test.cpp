// The tab-separated text of the records, byte for byte.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "export/day_record.h"
#include "export/records_text.h"

namespace {

UserHeader Targets(double weight, double bodyFat) {
    UserHeader header = {};
    header.height = 170.0;
    header.targetWeight = weight;
    header.targetBodyFat = bodyFat;
    return header;
}

std::string LineOf(const DailyRecord& record, const UserHeader& header) {
    std::string text = RecordsText(&record, 1, header);
    EXPECT_EQ(text.compare(0, std::strlen(kRecordsTextHeader), kRecordsTextHeader), 0);
    return text.substr(std::strlen(kRecordsTextHeader));
}

TEST(RecordsText, HeaderAndLinesByteForByte) {
    EXPECT_STREQ(kRecordsTextHeader,
                 "日付\t体重(kg)\t体脂肪率(%)\tＢＭＩ\t判定\t目標体重との差(kg)\t目標体脂肪率との差(%)\r\n");
    struct Case {
        const char* what;
        DailyRecord record;
        UserHeader header;
        const char* line;
    };
    const Case cases[] = {
        {"no body fat", Day("20040105", 65.0, 0, 22.5), Targets(60, 0), "2004/01/05\t65.0\t\t22.5\t普通体重\t5.0\t\r\n"},
        {"body fat and its target", Day("20040106", 64.3, 24.3, 22.25), Targets(60, 20),
         "2004/01/06\t64.3\t24.3\t22.3\t普通体重\t4.3\t4.3\r\n"},
        // 72.2 kg at 152 cm is a BMI of 31.25 exactly: the record table shows 31.3, and so does the copy.
        {"a BMI on a half tenth", Day("20250615", 72.2, 0, 72.2 / (152.0 * 152.0) * 10000.0), Targets(55, 0),
         "2025/06/15\t72.2\t\t31.3\t肥満度２\t17.2\t\r\n"},
        {"below the target weight", Day("20040107", 57.5, 0, 19.9), Targets(60, 20),
         "2004/01/07\t57.5\t\t19.9\t普通体重\t-2.5\t\r\n"},
        {"a weight of 0 and a BMI of 0", Day("20040108", 0, 0, 0), Targets(60, 0),
         "2004/01/08\t0.0\t\t0.0\t低体重　\t-60.0\t\r\n"},
        // A difference to a target that is not set is empty, as in the record table.
        {"no target weight nor body fat", Day("20041231", 72.0, 30.0, 40.0), Targets(0, 0),
         "2004/12/31\t72.0\t30.0\t40.0\t肥満度４\t\t\r\n"},
        {"no body-fat target", Day("20041230", 72.0, 26.0, 24.9), Targets(60, 0),
         "2004/12/30\t72.0\t26.0\t24.9\t普通体重\t12.0\t\r\n"},
        {"a BMI that is not a number", Day("20050101", 50.0, 0, std::nan("")), Targets(50, 0),
         "2005/01/01\t50.0\t\tnan\t低体重　\t0.0\t\r\n"},
        {"a damaged date stops only its own cell", Day("2005\0" "0101", 50.0, 0, 18.5), Targets(50, 0),
         "2005//10\t50.0\t\t18.5\t普通体重\t0.0\t\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LineOf(c.record, c.header), c.line);
    }
}

TEST(RecordsText, TheBlockHoldsEveryLineEvenAnAbsurdOne) {
    const DailyRecord days[] = {Day("20040105", 65.0, 0, 22.5),
                                Day("20040106", std::numeric_limits<double>::max(), 1e300, -1e300)};
    const std::string text = RecordsText(days, 2, Targets(60, 20));
    EXPECT_GT(text.size(), 3 * kRecordsTextLineSize);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(RecordsTextBlockSize(2, text.size()), text.size() + 1);
    EXPECT_EQ(RecordsTextBlockSize(2, 200), 450u);
    EXPECT_EQ(RecordsTextBlockSize(0, 0), 150u);
}

}  // namespace
