#pragma once

#include "platform/ConversionLock.h"
#include "platform/Result.h"

#include <string>

namespace vq3 {

// What the conversion and the intake ask of the user's desktop, so tests can stand in for it.
// Files are written and queried for real, through platform/Files.h.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal message with one OK button; returns once the user has dismissed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // Starts the script minimized, without focus, in the given folder, and hands it the folder's
    // conversion lock; does not wait for it.
    virtual Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                                const ConversionLock& lock) = 0;
};

} // namespace vq3
