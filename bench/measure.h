// What every benchmark prints: one line per figure, the median of repeated
// samples with their spread, which scripts/bench gathers into its report.
//
//   BENCH|section|label|unit|median|low|high|samples
//
// low and high are the smallest and largest sample.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include "platform/sim/sim.h"
#endif

struct Spread {
    double median = 0, low = 0, high = 0;
    size_t samples = 0;
};

inline Spread SpreadOf(std::vector<double> values) {
    Spread spread;
    spread.samples = values.size();
    if (values.empty()) return spread;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    spread.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    spread.low = values.front();
    spread.high = values.back();
    return spread;
}

inline void Report(const std::string& section, const std::string& label, const char* unit, const Spread& spread) {
    std::printf("BENCH|%s|%s|%s|%.6g|%.6g|%.6g|%zu\n", section.c_str(), label.c_str(), unit, spread.median,
                spread.low, spread.high, spread.samples);
    std::fflush(stdout);
}

// The simulation logs every platform call; between samples the log is
// dropped, so that it does not grow across a long run.
inline void ForgetCalls() {
#ifndef _WIN32
    sim::ClearCalls();
#endif
}

// Each sample times `calls` calls of work(i) and counts the mean of those;
// `between` runs after each sample, outside the time (to drop logs).
template <typename Work, typename Between>
Spread NanosecondsPerCall(int samples, long calls, Work work, Between between) {
    std::vector<double> values;
    for (int s = 0; s < samples; ++s) {
        auto start = std::chrono::steady_clock::now();
        for (long i = 0; i < calls; ++i) work(i);
        std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
        values.push_back(spent.count() / static_cast<double>(calls));
        between();
    }
    return SpreadOf(values);
}

template <typename Work>
Spread NanosecondsPerCall(int samples, long calls, Work work) {
    return NanosecondsPerCall(samples, calls, work, [] {});
}
