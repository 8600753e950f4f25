#pragma once

#include "platform/SystemPlatform.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace vq3::test {

// The real file system, with messages and launches recorded instead of shown or started.
// A test may also declare texts the script's code page cannot carry.
class RecordingPlatform : public SystemPlatform {
public:
    struct Launch {
        std::string scriptPath;
        std::string workingDir;
        std::string scriptContent; // the script's bytes at the moment it was launched
    };

    RecordingPlatform()
        : SystemPlatform([this](const std::string& text) {
              messages.push_back(text);
              if (duringMessage) {
                  duringMessage();
              }
          }) {}

    bool ScriptCanCarry(const std::string& text) override {
        return uncarryable.count(text) == 0 && SystemPlatform::ScriptCanCarry(text);
    }

    IoResult LaunchScript(const std::string& scriptPath, const std::string& workingDir) override;

    std::vector<std::string> messages;
    std::function<void()> duringMessage; // runs while a message is "on screen"
    std::vector<Launch> launches;
    std::set<std::string> uncarryable;
    std::string launchFailure; // when set, launching fails with this reason
};

} // namespace vq3::test
