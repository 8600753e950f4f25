#pragma once

#include "platform/Platform.h"
#include "platform/ScriptLauncher.h"
#include "support/TempDir.h"

#include <functional>
#include <vector>

namespace vq3::test {

// Stands in for the user's desktop: messages are recorded, not shown; launches are recorded
// and, where a test asks for it, really started.
class RecordingPlatform : public Platform {
public:
    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        if (duringMessage) {
            duringMessage();
        }
    }
    Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                        const ConversionLock& lock) override {
        launches.push_back(scriptPath + " in " + workingDir + ": " + ReadFile(scriptPath));
        return startForReal            ? vq3::LaunchScript(scriptPath, workingDir, lock)
               : launchFailure.empty() ? Result::Success()
                                       : Result::Failure(launchFailure);
    }

    std::vector<std::string> messages;
    std::function<void()> duringMessage; // runs while a message is "on screen"
    std::vector<std::string> launches;   // "script in folder: the script's bytes at the time"
    std::string launchFailure;           // when set, launching fails with this reason
    bool startForReal = false;
};

// Whether a conversion holds the folder's lock (for the instant it asks, this holds it).
inline bool ConversionRunning(const std::string& folder) {
    std::string whyNot;
    return !ConversionLock::Take(folder, whyNot) && whyNot.empty();
}

} // namespace vq3::test
