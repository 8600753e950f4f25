#pragma once

#include "platform/IoResult.h"

#include <string>

namespace vq3 {

// Starts the script in its own process, minimized and without taking the focus, with the
// given working directory; does not wait for it, and it outlives the tool. On Windows the
// command interpreter runs it; elsewhere our own interpreter, which lies beside the tool.
IoResult LaunchScript(const std::string& scriptPath, const std::string& workingDir);

} // namespace vq3
