#include <benchmark/benchmark.h>

#include <string>

#include "corelib/sjis.h"

// Cutting a diary text of 999 bytes of Japanese to its field.
static void BM_SjisFitLengthOfDiaryText(benchmark::State& state) {
    std::string text;
    while (text.size() < 1200) text += "今日は体重が少し減った。";
    for (auto _ : state) benchmark::DoNotOptimize(SjisFitLength(text.c_str(), 999));
}
BENCHMARK(BM_SjisFitLengthOfDiaryText);
