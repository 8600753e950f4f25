#pragma once

#include "platform/Platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace vq3 {

// The entry less its last three characters, followed by "lua".
std::string DescriptorPath(std::string_view entry);

// The three fixed settings lines every track gets.
const std::vector<std::string>& TrackDescriptorLines();

IoResult WriteTrackDescriptor(std::string_view entry, Platform& platform);

} // namespace vq3
