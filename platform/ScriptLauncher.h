#pragma once

#include "platform/ConversionLock.h"
#include "platform/Result.h"

#include <string>

namespace vq3 {

// Starts the script, which lies in workingDir, in its own process, minimized and without taking
// the focus, with workingDir as its working directory; does not wait for it, and it outlives the
// tool. The process inherits the folder's lock, and holds it while it runs. On Windows the
// command interpreter runs it; elsewhere our own interpreter, which lies beside the tool.
Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                    const ConversionLock& lock);

} // namespace vq3
