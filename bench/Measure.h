#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
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
    double ratio = 0; // 0: the ratio of the medians
};

// Each run does the work and returns whether its output was right, so a benchmark that
// silently does nothing fails instead of looking fast.
using Work = std::function<bool()>;

using Prepare = std::function<void()>;

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double TimedMs(const Work& work) {
    const auto start = std::chrono::steady_clock::now();
    const bool right = work();
    const auto end = std::chrono::steady_clock::now();
    if (!right) {
        throw std::runtime_error("a run produced the wrong output");
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

inline double MedianMs(const Work& work) {
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        times.push_back(TimedMs(work));
    }
    return Median(times);
}

// A case against its baseline: the medians of each, and the median of each run's ratio to the
// baseline run beside it.
struct Paired {
    double caseMs;
    double baselineMs;
    double ratio;
};

// A case and its baseline, run by turns so that drift on a shared machine (a disk writing back,
// another program's load) touches both alike: each run is set against its neighbour.
inline Paired MedianPairMs(
    const Work& work, const Work& baseline, const Prepare& prepareWork = [] {},
    const Prepare& prepareBaseline = [] {}) {
    std::vector<double> workTimes;
    std::vector<double> baselineTimes;
    std::vector<double> ratios;
    for (int run = 0; run < Runs; ++run) {
        prepareWork();
        workTimes.push_back(TimedMs(work));
        prepareBaseline();
        baselineTimes.push_back(TimedMs(baseline));
        ratios.push_back(workTimes.back() / baselineTimes.back());
    }
    return {Median(workTimes), Median(baselineTimes), Median(ratios)};
}

} // namespace vq3::bench
