#pragma once

#include "platform/Result.h"

#include <string>
#include <vector>

namespace vq3 {

// Starts program with args in workingDir as a new session that outlives this process and
// leaves no zombie behind. Of this process's open files only `handed` reaches it, under the same
// number (none when negative). Succeeds once the program has been executed; a missing program,
// a bad folder and the like are reported with the system's reason.
Result StartDetached(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingDir, int handed = -1);

} // namespace vq3
