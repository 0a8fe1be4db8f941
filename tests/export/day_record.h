// One day as the export tests need it: date, weight, body fat and the BMI stored in it.
#ifndef PELMO_TESTS_EXPORT_DAY_RECORD_H
#define PELMO_TESTS_EXPORT_DAY_RECORD_H

#include <cstring>

#include "diary/records.h"

inline DailyRecord Day(const char* date, double weight, double bodyFat, double storedBmi = 0) {
    DailyRecord record = {};
    std::memcpy(record.date, date, kDateLength);
    record.weight = weight;
    record.bodyFat = bodyFat;
    record.bmi = storedBmi;
    return record;
}

#endif
