// A diary of many days written by the program's own code, for the checks
// that want a user of years: the start-up timing and the kill test.
#ifndef PELMO_BENCH_LONG_DIARY_H
#define PELMO_BENCH_LONG_DIARY_H

// In the data folder: a row of the users table for user `number` called name,
// and "<number>.DAT" with `days` consecutive days from 2000-01-01, each with a
// weight, body fat and a line of diary text. The user stays open. True on success.
bool WriteLongDiary(long number, long days, const char* name);

// The date of day n (0 = 2000-01-01) as the 8 bytes "YYYYMMDD".
void LongDiaryDate(long n, char* date);

#endif
