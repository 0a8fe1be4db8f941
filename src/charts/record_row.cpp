#include "charts/record_row.h"

#include <cstdio>

#include "evaluation/bmi.h"

RecordRowTexts FormatRecordRow(const DailyRecord& record, const UserHeader& header) {
    RecordRowTexts row = {};
    const double weight = record.weight;
    const double bodyFat = record.bodyFat;
    const double height = header.height;
    std::snprintf(row.date, sizeof row.date, "%.2s/%.2s", record.date + 4, record.date + 6);
    std::snprintf(row.weight, sizeof row.weight, "%5.1lf", weight);
    if (bodyFat > 0) std::snprintf(row.bodyFat, sizeof row.bodyFat, "%4.1lf", bodyFat);
    if (height > 0) {
        row.bmiValue = BmiOfWeight(weight, height);
        std::snprintf(row.bmi, sizeof row.bmi, "%6.1lf", row.bmiValue);
        std::snprintf(row.bmiClass, sizeof row.bmiClass, "%s", BmiClassName(GetBmiClass(row.bmiValue)));
        std::snprintf(row.weightDifference, sizeof row.weightDifference, "%6.1lf", weight - header.targetWeight);
    }
    if (bodyFat != 0)
        std::snprintf(row.bodyFatDifference, sizeof row.bodyFatDifference, "%6.1lf",
                      bodyFat - header.targetBodyFat);
    return row;
}
