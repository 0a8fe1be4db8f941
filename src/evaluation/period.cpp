#include "evaluation/period.h"

#include <cstring>

#include "corelib/dates.h"

namespace {

std::size_t BoundedLength(const char* text, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && text[length] != '\0') ++length;
    return length;
}

}  // namespace

int AnalysedRecordIndex(const DailyRecord* records, uint32_t count, int selectedRow, const char* calendarText) {
    if (records == nullptr || count == 0) return kNoRecord;
    if (selectedRow >= 0 && static_cast<uint32_t>(selectedRow) < count) return selectedRow;
    char key[kDateLength];
    if (!DateKeyOfShownDate(calendarText, key)) return kNoRecord;
    for (uint32_t i = 0; i < count; ++i)
        if (std::memcmp(records[i].date, key, kDateLength) == 0) return static_cast<int>(i);
    return kNoRecord;
}

double AverageWeightOfPeriod(const DailyRecord* records, uint32_t count, const char* key, std::size_t length) {
    if (records == nullptr || key == nullptr || BoundedLength(key, kPeriodKeyCapacity) < length) return 0.0;
    double sum = 0.0;
    uint32_t days = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (std::memcmp(records[i].date, key, length) != 0) continue;
        sum += records[i].weight;
        ++days;
    }
    return days == 0 ? 0.0 : sum / days;
}

long TrendDayOfAnalysis(const DailyRecord* records, uint32_t count, int mode, const char* periodKey) {
    if (periodKey == nullptr) return 0;
    switch (mode) {
    case kAnalysisDaily:
        return BoundedLength(periodKey, kPeriodKeyCapacity) == kDateLength ? DayNumberOfDate(periodKey) : 0;
    case kAnalysisMonthly:
        return LastRecordedDayOfPeriod(records, count, TrendQuantity::kWeight, periodKey, kMonthKeyLength);
    case kAnalysisYearly:
        return LastRecordedDayOfPeriod(records, count, TrendQuantity::kWeight, periodKey, kYearKeyLength);
    default:
        return 0;
    }
}

AnalysisResult EvaluatePeriod(const DailyRecord* records, uint32_t count, const UserHeader& header,
                              int selectedRow, const char* calendarText, int mode, char* periodKey) {
    if (records == nullptr || count == 0) return AnalysisResult{};
    double average = 0.0;
    switch (mode) {
    case kAnalysisDaily: {
        int index = AnalysedRecordIndex(records, count, selectedRow, calendarText);
        if (index == kNoRecord) index = static_cast<int>(count - 1);  // records are in date order
        if (periodKey != nullptr) {
            std::memcpy(periodKey, records[index].date, kDateLength);
            periodKey[kDateLength] = '\0';
        }
        average = records[index].weight;
        break;
    }
    case kAnalysisMonthly:
        average = AverageWeightOfPeriod(records, count, periodKey, kMonthKeyLength);
        break;
    case kAnalysisYearly:
        average = AverageWeightOfPeriod(records, count, periodKey, kYearKeyLength);
        break;
    default:
        break;
    }
    return AnalyzeWeight(average, header.height);
}
