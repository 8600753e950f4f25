#pragma once

#include "platform/PathRules.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vq3 {

// What the Convert button does: checks the list, writes a descriptor per entry and the
// script into appDir, starts the script and tells the user. Every outcome, failures
// included, is reported through platform.ShowMessage; nothing is launched after a failure.
void ConvertFiles(const std::vector<std::string>& entries, std::int16_t bitRate,
                  const std::string& appDir, Platform& platform,
                  const PathRules& rules = PathRules::Host());

} // namespace vq3
