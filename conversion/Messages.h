#pragma once

#include <string>
#include <vector>

namespace vq3 {

// Every text the tool shows the user, in one place.

constexpr const char* StartupWarning =
    "WARNING:  You MUST copy the *.mp3 or *.wav files you want to convert into the same "
    "directory as 'vq3mc.exe' or they will NOT be converted!  Be sure to copy them into the "
    "directory and then drag those files into the VQ3MC window.";
constexpr const char* NoFilesToConvertMessage = "No files to convert!";
constexpr const char* ConversionBegunMessage =
    "The conversion process has begun, when the Command Prompt window (currently minimized) "
    "closes itself, your music files will all be converted properly.  You can now close VQ3MC "
    "while the conversion process runs.";

std::string NotInAppDirMessage(const std::string& name, const std::string& appDir);
// The refusals of one drop beyond the first few, together.
std::string MoreNotInAppDirMessage(const std::vector<std::string>& names,
                                   const std::string& appDir);
// A dropped file whose name the script cannot hold, and the refusals of that kind beyond the first.
std::string UnusableNameMessage(const std::string& name);
std::string MoreUnusableNamesMessage(const std::vector<std::string>& names);
std::string ListFullMessage(size_t leftOut);

std::string ConversionRunningMessage(const std::string& appDir);
std::string DescriptorsInTheWayMessage(const std::vector<std::string>& paths);
std::string UnusableAppDirMessage(const std::string& appDir);
std::string NetworkShareAppDirMessage(const std::string& appDir);
std::string UnusableNamesMessage(const std::vector<std::string>& names);
std::string WaveCollisionMessage(const std::string& appDir, const std::vector<std::string>& names);
// Programs the script needs, missing where it would look for them, or there but unable to run.
std::string MissingProgramsMessage(const std::string& appDir,
                                   const std::vector<std::string>& programs, bool searchPathToo);
std::string ProgramsCannotRunMessage(const std::string& appDir,
                                     const std::vector<std::string>& programs);
// Files in the way of the names the script makes, which its rename would never replace.
std::string NamesTakenMessage(const std::string& appDir, const std::vector<std::string>& names);
std::string WriteFailedMessage(const std::string& path, const std::string& reason);
std::string LaunchFailedMessage(const std::string& path, const std::string& reason);

} // namespace vq3
