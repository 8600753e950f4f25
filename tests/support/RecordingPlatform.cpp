#include "support/RecordingPlatform.h"

#include "support/TempDir.h"

namespace vq3::test {

IoResult RecordingPlatform::LaunchScript(const std::string& scriptPath,
                                         const std::string& workingDir) {
    launches.push_back({scriptPath, workingDir, ReadFile(scriptPath)});
    return launchFailure.empty() ? IoResult::Success() : IoResult::Failure(launchFailure);
}

} // namespace vq3::test
