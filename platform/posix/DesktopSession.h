#pragma once

#include <string>

namespace vq3 {

// The tool's exit status when there is no desktop session to show its window in (sysexits'
// EX_UNAVAILABLE): tools/start.sh tells it from other failures by this number.
constexpr int NoDesktopSessionStatus = 69;

// Why no window can be shown here, as one line for a terminal: no display is named (neither
// DISPLAY nor WAYLAND_DISPLAY), or none of those named accepts a connection from this user.
// Empty when one does, and whenever QT_QPA_PLATFORM names the platform: Qt then judges alone.
std::string MissingDesktopSession();

} // namespace vq3
