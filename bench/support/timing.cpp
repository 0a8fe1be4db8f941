#include "support/timing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct RegisteredCase {
    const char* name;
    int rounds;
    std::function<void()> body;
};

std::vector<RegisteredCase>& Cases() {
    static std::vector<RegisteredCase> cases;
    return cases;
}

}  // namespace

TimingCase::TimingCase(const char* name, int rounds, std::function<void()> body) {
    Cases().push_back({name, rounds, std::move(body)});
}

int RunTimingCases(const std::string& filter) {
    std::printf("%-40s %8s %12s %12s %12s\n", "case", "rounds", "min (us)", "median (us)", "max (us)");
    for (const RegisteredCase& timing : Cases()) {
        if (!filter.empty() && std::string(timing.name).find(filter) == std::string::npos) continue;
        std::vector<double> micros;
        micros.reserve(timing.rounds);
        for (int round = 0; round < timing.rounds; ++round) {
            auto start = std::chrono::steady_clock::now();
            timing.body();
            auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        std::sort(micros.begin(), micros.end());
        std::printf("%-40s %8d %12.1f %12.1f %12.1f\n", timing.name, timing.rounds, micros.front(),
                    micros[micros.size() / 2], micros.back());
    }
    return 0;
}
