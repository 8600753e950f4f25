#pragma once

#include "platform/PathRules.h"

#include <string>
#include <vector>

namespace vq3 {

// Every text the tool shows the user, in one place.

// The texts that speak of what the user sees, one table per platform: Windows has the Command
// Prompt and the tool it replaces, VQ3MC; Linux has our own conversion window and vq3mt.
struct PlatformWords {
    const char* startupWarning;
    const char* conversionBegun;
    const char* scriptCannotHold; // why a name cannot go into the script
    const char* moveTheTool;      // how to leave a folder the script cannot name
    const char* failedRunWindow;  // where the script's failure message sends the user
};

constexpr PlatformWords WindowsWords{
    "WARNING:  You MUST copy the *.mp3 or *.wav files you want to convert into the same "
    "directory as 'vq3mc.exe' or they will NOT be converted!  Be sure to copy them into the "
    "directory and then drag those files into the VQ3MC window.",
    "The conversion process has begun, when the Command Prompt window (currently minimized) "
    "closes itself, your music files will all be converted properly.  You can now close VQ3MC "
    "while the conversion process runs.",
    "A name in the conversion script may not hold a double quote, a control character or a "
    "letter the Command Prompt or the programs it starts cannot read.",
    "Move VQ3MC and your music files to another directory.",
    "The Command Prompt window (currently minimized) shows which and why; press a key there to "
    "close it.",
};

constexpr PlatformWords LinuxWords{
    "WARNING:  You MUST copy the *.mp3 or *.wav files you want to convert into the same "
    "directory as 'vq3mt' or they will NOT be converted!  Be sure to copy them into the "
    "directory and then drag those files into the VQ3 Music Tool window.",
    "The conversion process has begun, when the conversion window (currently minimized) closes "
    "itself, your music files will all be converted properly.  You can now close vq3mt while "
    "the conversion process runs.",
    "A name in the conversion script may not hold a double quote, a control character or a "
    "backslash, which a Windows program run through wine reads as a folder.",
    "Move vq3mt, vq3run and your music files to another directory.",
    "The conversion window shows which and why; press a key there to close it.",
};

// The words of the platform whose paths the rules spell, and of the one the tool runs on.
inline const PlatformWords& WordsFor(const PathRules& rules) {
    return rules.ForWindows() ? WindowsWords : LinuxWords;
}
constexpr const PlatformWords& HostWords() {
#ifdef _WIN32
    return WindowsWords;
#else
    return LinuxWords;
#endif
}

constexpr const char* StartupWarning = HostWords().startupWarning;
constexpr const char* NoFilesToConvertMessage = "No files to convert!";
constexpr const char* ConversionBegunMessage = HostWords().conversionBegun;

std::string NotInAppDirMessage(const std::string& name, const std::string& appDir);
// The refusals of one drop beyond the first few, together.
std::string MoreNotInAppDirMessage(const std::vector<std::string>& names,
                                   const std::string& appDir);
// A dropped file whose name the script cannot hold, and the refusals of that kind beyond the first.
std::string UnusableNameMessage(const std::string& name, const PlatformWords& words);
std::string MoreUnusableNamesMessage(const std::vector<std::string>& names,
                                     const PlatformWords& words);
// A dropped file whose name is too short to name its settings file after, and the refusals of
// that kind beyond the first.
std::string ShortNameMessage(const std::string& name);
std::string MoreShortNamesMessage(const std::vector<std::string>& names);
std::string ListFullMessage(size_t leftOut);

std::string ConversionRunningMessage(const std::string& appDir);
std::string DescriptorsInTheWayMessage(const std::vector<std::string>& paths);
std::string UnusableAppDirMessage(const std::string& appDir, const PlatformWords& words);
std::string NetworkShareAppDirMessage(const std::string& appDir);
std::string UnusableNamesMessage(const std::vector<std::string>& names, const PlatformWords& words);
// Listed files of different names that would make the same .fda (as "Song.mp3" and "Song.WAV").
std::string SharedOutputMessage(const std::vector<std::string>& names);
std::string WaveCollisionMessage(const std::string& appDir, const std::vector<std::string>& names);
// Programs the script needs, missing where it would look for them, or there but unable to run.
std::string MissingProgramsMessage(const std::string& appDir,
                                   const std::vector<std::string>& programs, bool searchPathToo);
std::string ProgramsCannotRunMessage(const std::string& appDir,
                                     const std::vector<std::string>& programs);
// Files in the way of the names the script makes, which its rename would never replace.
std::string NamesTakenMessage(const std::string& appDir, const std::vector<std::string>& names);
std::string WriteFailedMessage(const std::string& path, const std::string& reason);
std::string LockFailedMessage(const std::string& path, const std::string& reason);
std::string LaunchFailedMessage(const std::string& path, const std::string& reason);

} // namespace vq3
