#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vq3::bench {

constexpr int Runs = 7;

// One row of the table: a case, its baseline, and the goal for their ratio.
struct Row {
    std::string name;
    double caseMs = 0;
    double baselineMs = 0;
    double goal = 0; // 0: reported without a goal
    std::string note;
};

// Each run does the work and returns whether its output was right, so a benchmark that
// silently does nothing fails instead of looking fast.
using Work = std::function<bool()>;

inline double MedianMs(
    const Work& work, const std::function<void()>& prepare = [] {}) {
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        const bool right = work();
        const auto end = std::chrono::steady_clock::now();
        if (!right) {
            throw std::runtime_error("a run produced the wrong output");
        }
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace vq3::bench
