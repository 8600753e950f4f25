#include "ui/SystemPlatform.h"

#include "platform/ScriptLauncher.h"

namespace vq3 {

void SystemPlatform::ShowMessage(const std::string& text) {
    vq3::ShowMessage(text, owner_);
}

Result SystemPlatform::LaunchScript(const std::string& scriptPath, const std::string& workingDir) {
    return vq3::LaunchScript(scriptPath, workingDir);
}

} // namespace vq3
