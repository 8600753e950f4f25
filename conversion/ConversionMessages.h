#pragma once

#include <string>
#include <vector>

namespace vq3 {

constexpr const char* NoFilesToConvertMessage = "No files to convert!";
constexpr const char* ConversionBegunMessage =
    "The conversion process has begun, when the Command Prompt window (currently minimized) "
    "closes itself, your music files will all be converted properly.  You can now close VQ3MC "
    "while the conversion process runs.";

std::string UnusableAppDirMessage(const std::string& appDir);
std::string UnusableNamesMessage(const std::vector<std::string>& names);
std::string WaveCollisionMessage(const std::string& appDir, const std::vector<std::string>& names);
std::string WriteFailedMessage(const std::string& path, const std::string& reason);
std::string LaunchFailedMessage(const std::string& path, const std::string& reason);

} // namespace vq3
