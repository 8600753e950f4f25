#pragma once

#include "platform/PathRules.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace vq3 {

// The list's indices are 16-bit signed numbers.
constexpr int MaxListEntries = 32767;

// Tests each dropped path, in drop order, for a file of the same name in appDir. Each refused
// path costs one message; the positions of the admitted ones are returned, at most `room` of
// them, and the rest of the admitted are reported together in one message.
std::vector<size_t> AcceptDroppedFiles(const std::vector<std::string>& paths,
                                       const std::string& appDir, int room, Platform& platform,
                                       const PathRules& rules = PathRules::Host());

} // namespace vq3
