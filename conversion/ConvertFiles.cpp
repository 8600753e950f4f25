#include "conversion/ConvertFiles.h"

#include "conversion/ConversionMessages.h"
#include "conversion/ConversionScript.h"
#include "conversion/ScriptText.h"
#include "conversion/TrackDescriptor.h"
#include "conversion/TrackJob.h"

#include <unordered_set>

namespace vq3 {

namespace {

bool CanName(const std::string& text, Platform& platform) {
    return ScriptSyntaxCanCarry(text) && platform.ScriptCanCarry(text);
}

// Each name once, in list order.
class UniqueNames {
public:
    void Add(const std::string& name) {
        if (seen_.insert(name).second) {
            names_.push_back(name);
        }
    }
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::unordered_set<std::string> seen_;
    std::vector<std::string> names_;
};

// Checks that touch no file: every name the script would hold must be expressible in it,
// and no decoder output may land on a file the user already has.
bool CheckBeforeWriting(const std::vector<std::string>& entries, std::int16_t bitRate,
                        const std::string& appDir, Platform& platform, const PathRules& rules) {
    if (!CanName(appDir, platform)) {
        platform.ShowMessage(UnusableAppDirMessage(appDir));
        return false;
    }
    UniqueNames unusable;
    UniqueNames collisions;
    for (const auto& entry : entries) {
        const auto job = BuildTrackJob(entry, bitRate, rules);
        if (!job) {
            continue;
        }
        if (!CanName(job->SourceName, platform)) {
            unusable.Add(job->SourceName);
        } else if (job->Kind == TrackKind::Mp3 &&
                   platform.FileExists(rules.JoinPath(appDir, job->WaveName))) {
            collisions.Add(job->WaveName);
        }
    }
    if (!unusable.Names().empty()) {
        platform.ShowMessage(UnusableNamesMessage(unusable.Names()));
        return false;
    }
    if (!collisions.Names().empty()) {
        platform.ShowMessage(WaveCollisionMessage(appDir, collisions.Names()));
        return false;
    }
    return true;
}

// A descriptor never replaces a file that is itself in the list (an entry ending in "lua"
// maps onto itself).
bool WriteDescriptors(const std::vector<std::string>& entries, Platform& platform,
                      const PathRules& rules) {
    std::unordered_set<std::string> listed;
    for (const auto& entry : entries) {
        listed.insert(rules.ComparisonKey(entry));
    }
    for (const auto& entry : entries) {
        const std::string path = DescriptorPath(entry);
        if (listed.count(rules.ComparisonKey(path)) != 0) {
            continue;
        }
        const IoResult written = WriteTrackDescriptor(entry, platform);
        if (!written.ok) {
            platform.ShowMessage(WriteFailedMessage(path, written.reason));
            return false;
        }
    }
    return true;
}

} // namespace

void ConvertFiles(const std::vector<std::string>& entries, std::int16_t bitRate,
                  const std::string& appDir, Platform& platform, const PathRules& rules) {
    if (entries.empty()) {
        platform.ShowMessage(NoFilesToConvertMessage);
        return;
    }
    if (!CheckBeforeWriting(entries, bitRate, appDir, platform, rules) ||
        !WriteDescriptors(entries, platform, rules)) {
        return;
    }
    const std::string scriptPath = rules.JoinPath(appDir, ScriptFileName);
    const IoResult written =
        platform.WriteTextLines(scriptPath, BuildConversionScript(entries, appDir, bitRate, rules));
    if (!written.ok) {
        platform.ShowMessage(WriteFailedMessage(scriptPath, written.reason));
        return;
    }
    const IoResult launched = platform.LaunchScript(scriptPath, appDir);
    if (!launched.ok) {
        platform.ShowMessage(LaunchFailedMessage(scriptPath, launched.reason));
        return;
    }
    platform.ShowMessage(ConversionBegunMessage);
}

} // namespace vq3
