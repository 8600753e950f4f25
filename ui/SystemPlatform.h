#pragma once

#include "platform/Platform.h"
#include "ui/MessageBox.h"

namespace vq3 {

// The real message box and script launch.
class SystemPlatform final : public Platform {
public:
    // Messages belong to this window from now on (before it is shown they have no owner).
    void SetMessageOwner(MessageOwner owner) { owner_ = owner; }

    void ShowMessage(const std::string& text) override;
    Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                        const ConversionLock& lock) override;

private:
    MessageOwner owner_ = nullptr;
};

} // namespace vq3
