#ifndef PELMO_TESTS_SUPPORT_PINNED_CLOCK_H
#define PELMO_TESTS_SUPPORT_PINNED_CLOCK_H

#include <ctime>

#include "corelib/utility.h"

// The program's clock stands at this local time until PinClock(0).
inline void PinLocalTime(int year, int month, int day, int hour) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_isdst = -1;
    PinClock(std::mktime(&local));
}

#endif
