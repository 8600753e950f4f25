#pragma once

#include "platform/PathRules.h"
#include "platform/Platform.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vq3 {

// The entry less its last three characters, followed by "lua".
std::string DescriptorPath(std::string_view entry);

// The three fixed settings lines every track gets.
const std::vector<std::string>& TrackDescriptorLines();

// Told after each track descriptor is written: how many are written, of how many.
using ConvertProgress = std::function<void(size_t done, size_t total)>;

// What the Convert button does: takes appDir's conversion lock, checks the list, writes a
// descriptor per entry and the script into appDir, starts the script with the lock and tells the
// user. Every outcome, failures included, is reported through platform.ShowMessage; nothing is
// launched after a failure, and nothing is written while a conversion in appDir is running.
void ConvertFiles(const std::vector<std::string>& entries, std::int16_t bitRate,
                  const std::string& appDir, Platform& platform,
                  const PathRules& rules = PathRules::Host(),
                  const ConvertProgress& progress = nullptr);

} // namespace vq3
