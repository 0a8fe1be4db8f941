// A small timing harness for code that runs under Wine, where Google Benchmark
// is not built: each case runs a number of rounds and prints min/median/max.
//
//   PELMO_TIMING(NavigationStep, 200) { ...one round... }
#ifndef PELMO_BENCH_TIMING_H
#define PELMO_BENCH_TIMING_H

#include <functional>
#include <string>

struct TimingCase {
    TimingCase(const char* name, int rounds, std::function<void()> body);
};

// Runs every registered case (or those whose name contains filter); returns 0.
int RunTimingCases(const std::string& filter);

#define PELMO_TIMING_CONCAT2(a, b) a##b
#define PELMO_TIMING_CONCAT(a, b) PELMO_TIMING_CONCAT2(a, b)
#define PELMO_TIMING(name, rounds)                                                               \
    static void PELMO_TIMING_CONCAT(TimingBody_, name)();                                         \
    static TimingCase PELMO_TIMING_CONCAT(timingCase_, name)(#name, rounds,                       \
                                                             PELMO_TIMING_CONCAT(TimingBody_, name)); \
    static void PELMO_TIMING_CONCAT(TimingBody_, name)()

#endif
