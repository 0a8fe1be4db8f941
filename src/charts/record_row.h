// The texts of one record-table row, free of windows.
#ifndef PELMO_CHARTS_RECORD_ROW_H
#define PELMO_CHARTS_RECORD_ROW_H

#include "diary/records.h"

constexpr int kRecordTableColumns = 7;  // date, weight, body fat, BMI, class and the two differences
constexpr int kRowTextSize = 24;

struct RecordRowTexts {
    char date[kRowTextSize];            // "MM/DD"
    char weight[kRowTextSize];          // "%5.1lf"
    char bodyFat[kRowTextSize];         // "%4.1lf", empty when not entered
    char bmi[kRowTextSize];             // "%6.1lf", empty without a height
    char bmiClass[kRowTextSize];        // the class name, empty without a height
    char weightDifference[kRowTextSize];  // "%6.1lf" against the target weight, empty without one
    char bodyFatDifference[kRowTextSize]; // "%6.1lf", empty when not entered or without a target
    double bmiValue;                    // stored into the record; 0 without a height
};

// The row of record under header's height and targets. Without a height (0)
// there is no BMI, class or weight difference, and the stored BMI is 0.
RecordRowTexts FormatRecordRow(const DailyRecord& record, const UserHeader& header);

// The widest row the table can show: the largest weight and body fat the day
// dialog accepts (200.0 kg, 50.0 %), a BMI of 99.9 and differences of -100.0.
// The class names differ in width: the painter measures them all.
RecordRowTexts WidestRecordRow();

#endif
