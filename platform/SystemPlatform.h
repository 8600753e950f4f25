#pragma once

#include "platform/Platform.h"

#include <functional>

namespace vq3 {

// The real file system and process launch. Message boxes belong to the user interface, so
// the caller hands in how to show one.
class SystemPlatform : public Platform {
public:
    using MessageSink = std::function<void(const std::string&)>;

    explicit SystemPlatform(MessageSink showMessage);

    void ShowMessage(const std::string& text) override;
    IoResult WriteTextLines(const std::string& path,
                            const std::vector<std::string>& lines) override;
    bool FileExists(const std::string& path) override;
    bool ScriptCanCarry(const std::string& text) override;
    IoResult LaunchScript(const std::string& scriptPath, const std::string& workingDir) override;

private:
    MessageSink showMessage_;
};

} // namespace vq3
