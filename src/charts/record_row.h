// The texts of one record-table row, free of windows.
#ifndef PELMO_CHARTS_RECORD_ROW_H
#define PELMO_CHARTS_RECORD_ROW_H

#include <cstdint>

#include "diary/records.h"

constexpr int kRecordTableColumns = 7;  // date, weight, body fat, BMI, class and the two differences
constexpr int kRowTextSize = 24;

struct RecordRowTexts {
    char date[kRowTextSize];            // "MM/DD", or "YYYY/MM/DD" on a row that shows its year
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
// withYear puts the year before the month and day.
RecordRowTexts FormatRecordRow(const DailyRecord& record, const UserHeader& header, bool withYear = false);

// Whether row index of the date-ordered records shows its year: in a diary
// whose records lie in more than one year, the first row and each row whose
// year is not that of the row above, so that every row's year can be told
// from the nearest year above it. Never in a diary of one year.
bool RowShowsYear(const DailyRecord* records, std::uint32_t count, std::uint32_t index);

// The widest row the table can show: a date with its year, the largest weight
// and body fat the day dialog accepts (200.0 kg, 50.0 %), a BMI of 99.9 and
// differences of -100.0.
// The class names differ in width: the painter measures them all.
RecordRowTexts WidestRecordRow();

#endif
