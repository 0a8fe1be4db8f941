// Days for the evaluation and chart tests, built in memory like the record block.
#ifndef PELMO_TESTS_EVALUATION_TEST_RECORDS_H
#define PELMO_TESTS_EVALUATION_TEST_RECORDS_H

#include <cstring>
#include <vector>

#include "diary/records.h"

inline DailyRecord DayRecord(const char* date, double weight) {
    DailyRecord record;
    std::memset(&record, 0, sizeof record);
    std::memcpy(record.date, date, kDateLength);
    record.weight = weight;
    return record;
}

inline UserHeader HeaderOfHeight(double height) {
    UserHeader header;
    std::memset(&header, 0, sizeof header);
    header.height = height;
    return header;
}

#endif
