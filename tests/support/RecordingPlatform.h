#pragma once

#include "platform/Platform.h"
#include "platform/ScriptLauncher.h"
#include "support/TempDir.h"

#include <functional>
#include <string>
#include <vector>

namespace vq3::test {

// Stands in for the user's desktop: messages are recorded, not shown; launches are recorded
// and, where a test asks for it, really started.
class RecordingPlatform : public Platform {
public:
    struct Launch {
        std::string scriptPath;
        std::string workingDir;
        std::string scriptContent; // the script's bytes at the moment it was launched
    };

    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        if (duringMessage) {
            duringMessage();
        }
    }
    Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                        const ConversionLock& lock) override {
        launches.push_back({scriptPath, workingDir, ReadFile(scriptPath)});
        return startForReal            ? vq3::LaunchScript(scriptPath, workingDir, lock)
               : launchFailure.empty() ? Result::Success()
                                       : Result::Failure(launchFailure);
    }

    std::vector<std::string> messages;
    std::function<void()> duringMessage; // runs while a message is "on screen"
    std::vector<Launch> launches;
    std::string launchFailure; // when set, launching fails with this reason
    bool startForReal = false;
};

// Whether a conversion holds the folder's lock (for the instant it asks, this holds it).
inline bool ConversionRunning(const std::string& folder) {
    std::string whyNot;
    return !ConversionLock::Take(folder, whyNot) && whyNot.empty();
}

} // namespace vq3::test
