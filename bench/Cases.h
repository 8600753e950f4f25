#pragma once

#include "bench/Measure.h"

#include <filesystem>
#include <vector>

namespace vq3::bench {

constexpr int MaxEntries = 32767;

// Each returns its rows; scratch is an empty folder the case may fill.
std::vector<Row> ConvertCases(const std::filesystem::path& scratch);
std::vector<Row> IntakeCases(const std::filesystem::path& scratch);
std::vector<Row> RunnerCases(const std::filesystem::path& scratch);
std::vector<Row> StartupCases(const std::filesystem::path& scratch);

} // namespace vq3::bench
