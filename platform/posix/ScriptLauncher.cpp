#include "platform/ScriptLauncher.h"

#include "platform/AppInfo.h"
#include "platform/PathRules.h"
#include "platform/posix/DetachedProcess.h"

namespace vq3 {

namespace {

// Our own interpreter for the script, built into the tool's folder.
constexpr const char* ScriptRunnerName = "vq3run";

} // namespace

Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                    const ConversionLock& lock) {
    const std::string runner = PathRules::Posix().JoinPath(AppInfo::AppDir(), ScriptRunnerName);
    const int handed = lock.NativeHandle();
    return StartDetached(runner, {LockHandOverOption + std::to_string(handed), scriptPath},
                         workingDir, handed);
}

} // namespace vq3
