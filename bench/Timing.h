// What the interface benchmarks share: a steady clock in milliseconds and one line of figures
// per measurement (median, mean, worst, against the goal).
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace huebird::bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

inline void Report(const char* what, std::vector<double> v, double goal) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    std::printf("%-40s median %7.3f ms  mean %7.3f ms  max %7.3f ms  (goal < %g ms, %zu runs)\n",
                what, v[v.size() / 2], sum / v.size(), v.back(), goal, v.size());
}

}  // namespace huebird::bench
