#include "export/import_dates.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "corelib/dates.h"

namespace {

struct Era {
    const char* name;   // as written in kanji
    char letter;        // its initial, folded small
    int yearBefore;     // the Gregorian year of its year 0
};
const Era kEras[] = {{"令和", 'r', 2018}, {"平成", 'h', 1988}, {"昭和", 's', 1925}};

struct Cursor {
    const std::string& text;
    std::size_t at = 0;

    bool AtEnd() const { return at >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[at]; }
    bool Take(const char* word) {
        std::size_t length = std::strlen(word);
        if (text.compare(at, length, word) != 0) return false;
        at += length;
        return true;
    }
    // Up to maxDigits digits; false when none.
    bool Number(int maxDigits, int* value, int* count = nullptr) {
        int digits = 0, number = 0;
        while (!AtEnd() && Peek() >= '0' && Peek() <= '9' && digits < maxDigits) {
            number = number * 10 + (Peek() - '0');
            ++at;
            ++digits;
        }
        if (count) *count = digits;
        *value = number;
        return digits > 0;
    }
    void SkipBlanks() {
        while (!AtEnd() && Peek() == ' ') ++at;
    }
};

// Days from 1970-01-01 in the Gregorian calendar (negative before).
long long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CalendarDate CivilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2));
    return date;
}

// The year, from an era name or initial followed by its year ("元" is year 1), or four digits.
bool ReadYear(Cursor* cursor, int* year) {
    for (const Era& era : kEras) {
        std::size_t start = cursor->at;
        if (cursor->Take(era.name) || (cursor->Peek() == era.letter && (++cursor->at, true))) {
            int inEra = 0;
            if (cursor->Take("元")) inEra = 1;
            else if (!cursor->Number(2, &inEra) || inEra == 0) {
                cursor->at = start;
                return false;
            }
            *year = era.yearBefore + inEra;
            return true;
        }
    }
    int digits = 0;
    return cursor->Number(4, year, &digits) && digits == 4;
}

// The separator after a year or a month: "/", "-", ".", or the kanji given.
bool TakeDatePart(Cursor* cursor, const char* kanji) {
    if (cursor->Take(kanji)) return true;
    char c = cursor->Peek();
    if (c == '/' || c == '-' || c == '.') {
        ++cursor->at;
        return true;
    }
    return false;
}

// A weekday after the date, as in "2024年5月1日(水)": skipped.
void SkipWeekday(Cursor* cursor) {
    cursor->SkipBlanks();
    if (cursor->Peek() != '(') return;
    std::size_t close = cursor->text.find(')', cursor->at);
    if (close != std::string::npos && close - cursor->at <= 12) cursor->at = close + 1;
}

// "HH:MM[:SS[.fff]]" with "am"/"pm" or "午前"/"午後", then "z" or "+HH[:MM]"/"-HHMM".
// False when something else follows.
bool ReadTime(Cursor* cursor, int* minute, bool* hasOffset, int* offsetMinutes) {
    cursor->SkipBlanks();
    bool afternoon = false, morning = false;
    if (cursor->Take("午後") || cursor->Take("pm")) afternoon = true;
    else if (cursor->Take("午前") || cursor->Take("am")) morning = true;
    int hour = 0, minutes = 0, seconds = 0;
    if (!cursor->Number(2, &hour)) return false;
    if (!(cursor->Take(":") || cursor->Take("時"))) return false;
    if (!cursor->Number(2, &minutes)) return false;
    cursor->Take("分");
    if (cursor->Take(":") && !cursor->Number(2, &seconds)) return false;
    if (cursor->Take(".")) {
        int fraction = 0;
        while (cursor->Number(9, &fraction)) {
        }
    }
    cursor->SkipBlanks();
    if (cursor->Take("pm")) afternoon = true;
    else if (cursor->Take("am")) morning = true;
    if ((afternoon || morning) && (hour < 1 || hour > 12)) return false;
    if (afternoon && hour < 12) hour += 12;
    if (morning && hour == 12) hour = 0;
    if (hour > 23 || minutes > 59 || seconds > 60) return false;
    *minute = hour * 60 + minutes;
    cursor->SkipBlanks();
    *hasOffset = false;
    if (cursor->Take("z") || cursor->Take("utc") || cursor->Take("gmt")) {
        *hasOffset = true;
        *offsetMinutes = 0;
        cursor->SkipBlanks();
    }
    char sign = cursor->Peek();
    if (sign == '+' || sign == '-') {
        ++cursor->at;
        int offsetHours = 0, offsetMinute = 0, digits = 0;
        if (!cursor->Number(4, &offsetHours, &digits)) return false;
        if (digits == 4) {
            offsetMinute = offsetHours % 100;
            offsetHours /= 100;
        } else if (cursor->Take(":") && !cursor->Number(2, &offsetMinute)) {
            return false;
        }
        if (offsetHours > 14 || offsetMinute > 59) return false;
        *hasOffset = true;
        *offsetMinutes = (sign == '-' ? -1 : 1) * (offsetHours * 60 + offsetMinute);
    }
    cursor->SkipBlanks();
    return cursor->AtEnd();
}

}  // namespace

long SystemLocalOffset(long long utcSeconds) {
    std::time_t when = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &when) != 0) return 0;
#else
    if (!localtime_r(&when, &local)) return 0;
#endif
    long long localSeconds = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * 86400LL +
                             local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
    return static_cast<long>((localSeconds - utcSeconds) / 60);
}

DateReading ReadImportDate(const std::string& folded, const std::string& timeCell, LocalOffsetFunction localOffset,
                           ImportDate* date) {
    Cursor cursor{folded};
    int year = 0, month = 0, day = 0, digits = 0;
    // Eight digits in a row: YYYYMMDD.
    if (cursor.Number(8, &year, &digits) && digits == 8 && (cursor.AtEnd() || cursor.Peek() == ' ' ||
                                                            cursor.Peek() == 't')) {
        day = year % 100;
        month = year / 100 % 100;
        year /= 10000;
    } else {
        cursor.at = 0;
        if (!ReadYear(&cursor, &year) || !TakeDatePart(&cursor, "年")) return DateReading::kNotADate;
        cursor.SkipBlanks();
        if (!cursor.Number(2, &month) || !TakeDatePart(&cursor, "月")) return DateReading::kNotADate;
        cursor.SkipBlanks();
        if (!cursor.Number(2, &day)) return DateReading::kNotADate;
        cursor.Take("日");
    }
    SkipWeekday(&cursor);
    int minute = -1, offset = 0;
    bool hasOffset = false;
    if (cursor.Peek() == 't') ++cursor.at;
    cursor.SkipBlanks();
    if (!cursor.AtEnd()) {
        if (!ReadTime(&cursor, &minute, &hasOffset, &offset)) return DateReading::kNotADate;
    } else if (!timeCell.empty()) {
        Cursor timeCursor{timeCell};
        if (!ReadTime(&timeCursor, &minute, &hasOffset, &offset)) minute = -1;
    }
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month, LeapRule::kGregorian))
        return DateReading::kNoSuchDay;
    if (hasOffset) {
        long long utcMinutes = DaysFromCivil(year, month, day) * 1440 + minute - offset;
        long long localMinutes = utcMinutes + (localOffset ? localOffset(utcMinutes * 60) : 0);
        long long localDay = localMinutes >= 0 ? localMinutes / 1440 : -((-localMinutes + 1439) / 1440);
        CalendarDate local = CivilFromDays(localDay);
        year = local.year;
        month = local.month;
        day = local.day;
        minute = static_cast<int>(localMinutes - localDay * 1440);
    }
    if (year < kFirstCalendarYear || year > kLastCalendarYear) return DateReading::kOutOfRange;
    char key[16];
    std::snprintf(key, sizeof key, "%04d%02d%02d", year, month, day);
    std::memcpy(date->key, key, sizeof date->key);
    date->minuteOfDay = minute;
    return DateReading::kRead;
}
