#include "ui/SystemPlatform.h"

#include "platform/ScriptLauncher.h"

namespace vq3 {

void SystemPlatform::ShowMessage(const std::string& text) {
    vq3::ShowMessage(text, owner_);
}

Result SystemPlatform::LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                                    const ConversionLock& lock) {
    return vq3::LaunchScript(scriptPath, workingDir, lock);
}

} // namespace vq3
