#pragma once

#include "platform/PathRules.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vq3 {

constexpr const char* ScriptFileName = "vq3mc.bat";

// The script's lines, without line ends: change to appDir, one block per MP3 or WAV entry in
// list order, the completion message and "exit".
std::vector<std::string> BuildConversionScript(const std::vector<std::string>& entries,
                                               const std::string& appDir, std::int16_t bitRate,
                                               const PathRules& rules = PathRules::Host());

} // namespace vq3
