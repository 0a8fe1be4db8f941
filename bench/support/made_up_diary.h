// A made-up diary for the benchmarks that run under Wine.
#ifndef PELMO_BENCH_MADE_UP_DIARY_H
#define PELMO_BENCH_MADE_UP_DIARY_H

#include <cstdint>

// `days` days from 2000-01-01 (28 to a month), weights around 60 kg, become the
// open user's (170 cm, target 65 kg). Nothing is written to disk.
void OpenMadeUpDiary(std::uint32_t days);

#endif
