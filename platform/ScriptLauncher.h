#pragma once

#include "platform/Result.h"

#include <string>

namespace vq3 {

// Starts the script in its own process, minimized and without taking the focus, with the
// given working directory; does not wait for it, and it outlives the tool. On Windows the
// command interpreter runs it; elsewhere our own interpreter, which lies beside the tool.
Result LaunchScript(const std::string& scriptPath, const std::string& workingDir);

// Whether a conversion started from appDir is still running: whoever holds the folder's
// conversion lock, vq3mc.lock (on Windows the command interpreter the tool started, with its
// programs; elsewhere our own interpreter).
bool ConversionRunning(const std::string& appDir);

} // namespace vq3
