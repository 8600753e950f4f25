#include "support/RecordingPlatform.h"

#include "platform/ScriptLauncher.h"
#include "support/TempDir.h"

namespace vq3::test {

Result RecordingPlatform::LaunchScript(const std::string& scriptPath,
                                       const std::string& workingDir) {
    launches.push_back({scriptPath, workingDir, ReadFile(scriptPath)});
    if (startForReal) {
        return vq3::LaunchScript(scriptPath, workingDir);
    }
    return launchFailure.empty() ? Result::Success() : Result::Failure(launchFailure);
}

} // namespace vq3::test
