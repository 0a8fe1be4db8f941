#include "charts/record_row.h"

#include <cstdio>
#include <cstring>

#include "diary/target_rules.h"
#include "evaluation/bmi.h"

RecordRowTexts FormatRecordRow(const DailyRecord& record, const UserHeader& header, bool withYear) {
    RecordRowTexts row = {};
    const double weight = record.weight;
    const double bodyFat = record.bodyFat;
    const double height = header.height;
    if (withYear)
        std::snprintf(row.date, sizeof row.date, "%.4s/%.2s/%.2s", record.date, record.date + 4, record.date + 6);
    else
        std::snprintf(row.date, sizeof row.date, "%.2s/%.2s", record.date + 4, record.date + 6);
    std::snprintf(row.weight, sizeof row.weight, "%5.1lf", weight);
    if (bodyFat > 0) std::snprintf(row.bodyFat, sizeof row.bodyFat, "%4.1lf", bodyFat);
    if (height > 0) {
        row.bmiValue = BmiOfWeight(weight, height);
        std::snprintf(row.bmi, sizeof row.bmi, "%6.1lf", ShownTenths(row.bmiValue));
        std::snprintf(row.bmiClass, sizeof row.bmiClass, "%s", BmiClassName(GetBmiClass(row.bmiValue)));
    }
    if (height > 0 && TargetSet(header.targetWeight))
        std::snprintf(row.weightDifference, sizeof row.weightDifference, "%6.1lf",
                      ShownTenths(weight - header.targetWeight));
    if (bodyFat != 0 && TargetSet(header.targetBodyFat))
        std::snprintf(row.bodyFatDifference, sizeof row.bodyFatDifference, "%6.1lf",
                      ShownTenths(bodyFat - header.targetBodyFat));
    return row;
}

RecordRowTexts WidestRecordRow() {
    DailyRecord record = {};
    std::memcpy(record.date, "20001228", sizeof record.date);
    record.weight = 200.0;
    record.bodyFat = 50.0;
    UserHeader header = {};
    header.height = 141.5;  // 200 kg at 141.5 cm: BMI 99.9
    header.targetWeight = 300.0;
    header.targetBodyFat = 150.0;
    return FormatRecordRow(record, header, true);
}

namespace {
bool SameYear(const DailyRecord& a, const DailyRecord& b) { return std::memcmp(a.date, b.date, 4) == 0; }
}  // namespace

bool RowShowsYear(const DailyRecord* records, std::uint32_t count, std::uint32_t index) {
    if (!records || index >= count || SameYear(records[0], records[count - 1])) return false;
    return index == 0 || !SameYear(records[index - 1], records[index]);
}
