#include "conversion/ConvertFiles.h"

#include "conversion/Messages.h"
#include "conversion/Script.h"
#include "conversion/ScriptNames.h"
#include "platform/ConversionLock.h"
#include "platform/Files.h"
#include "platform/ProgramLookup.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace vq3 {

namespace {

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

// The programs the script starts: the encoder for every track, the decoder for MP3s.
std::vector<std::string> ProgramsNeeded(const std::vector<TrackJob>& jobs) {
    std::vector<std::string> programs;
    const bool anyMp3 = std::any_of(jobs.begin(), jobs.end(),
                                    [](const TrackJob& job) { return job.Kind == TrackKind::Mp3; });
    if (anyMp3) {
        programs.emplace_back(script_names::Decoder);
    }
    if (!jobs.empty()) {
        programs.emplace_back(script_names::Encoder);
    }
    return programs;
}

bool CheckPrograms(const std::vector<TrackJob>& jobs, const std::string& appDir,
                   Platform& platform) {
    std::vector<std::string> missing;
    std::vector<std::string> cannotRun;
    for (const auto& program : ProgramsNeeded(jobs)) {
        const ProgramState state = LookUpScriptProgram(program, appDir);
        if (state == ProgramState::Missing) {
            missing.push_back(program);
        } else if (state == ProgramState::CannotRun) {
            cannotRun.push_back(program);
        }
    }
    if (!missing.empty()) {
        platform.ShowMessage(
            MissingProgramsMessage(appDir, missing, ScriptProgramsMayBeOnSearchPath));
        return false;
    }
    if (!cannotRun.empty()) {
        platform.ShowMessage(ProgramsCannotRunMessage(appDir, cannotRun));
        return false;
    }
    return true;
}

// The folder itself, by its name alone: the script must be able to name it and to work in it.
bool CheckFolder(const std::string& appDir, Platform& platform, const PathRules& rules) {
    if (!ScriptCanCarry(appDir)) {
        platform.ShowMessage(UnusableAppDirMessage(appDir, WordsFor(rules)));
        return false;
    }
    // The Command Prompt cannot work in such a folder: its "cd" would fail and every line after
    // it would run in the Windows folder.
    if (rules.OnNetworkShare(appDir)) {
        platform.ShowMessage(NetworkShareAppDirMessage(appDir));
        return false;
    }
    return true;
}

// Checks that write nothing: every name the script would hold must be expressible in it, the
// programs it starts must be there, its rename must find no file in the way (it never replaces
// one), and no decoder output may land on a file the user already has.
bool CheckBeforeWriting(const std::vector<TrackJob>& jobs, const std::string& appDir,
                        Platform& platform, const PathRules& rules) {
    UniqueNames unusable;
    UniqueNames taken;
    UniqueNames collisions;
    UniqueNames shared;
    // Each .fda by the first file that makes it: a second file would fail at its rename.
    std::unordered_map<std::string, std::string> madeBy;
    for (const auto& job : jobs) {
        if (const auto [maker, first] =
                madeBy.emplace(rules.ComparisonKey(job.OutputName), job.SourceName);
            !first) {
            shared.Add(maker->second);
            shared.Add(job.SourceName);
        }
        if (!ScriptCanNameTrack(job.SourceName)) {
            unusable.Add(job.SourceName);
            continue;
        }
        for (const std::string* made : {&job.OutputName, &job.EncodedName}) {
            if (KindOf(rules.JoinPath(appDir, *made)) != PathKind::Missing) {
                taken.Add(*made);
            }
        }
        // A folder of that name would be emptied by the clean-up's del on Windows.
        if (job.Kind == TrackKind::Mp3 &&
            KindOf(rules.JoinPath(appDir, job.WaveName)) != PathKind::Missing) {
            collisions.Add(job.WaveName);
        }
    }
    if (!unusable.Names().empty()) {
        platform.ShowMessage(UnusableNamesMessage(unusable.Names(), WordsFor(rules)));
        return false;
    }
    if (!CheckPrograms(jobs, appDir, platform)) {
        return false;
    }
    if (!taken.Names().empty()) {
        platform.ShowMessage(NamesTakenMessage(appDir, taken.Names()));
        return false;
    }
    if (!collisions.Names().empty()) {
        platform.ShowMessage(WaveCollisionMessage(appDir, collisions.Names()));
        return false;
    }
    if (!shared.Names().empty()) {
        platform.ShowMessage(SharedOutputMessage(shared.Names()));
        return false;
    }
    return true;
}

// The descriptors to write, in list order. A descriptor never replaces a file that is itself
// in the list (an entry ending in "lua" maps onto itself).
std::vector<std::string> DescriptorTargets(const std::vector<std::string>& entries,
                                           const PathRules& rules) {
    std::unordered_set<std::string> listed;
    for (const auto& entry : entries) {
        listed.insert(rules.ComparisonKey(entry));
    }
    std::vector<std::string> targets;
    targets.reserve(entries.size());
    for (const auto& entry : entries) {
        std::string path = DescriptorPath(entry);
        if (listed.count(rules.ComparisonKey(path)) == 0) {
            targets.push_back(std::move(path));
        }
    }
    return targets;
}

std::string DescriptorBytes() {
    std::string bytes;
    for (const auto& line : TrackDescriptorLines()) {
        bytes += line + "\r\n";
    }
    return bytes;
}

// Only a missing file or one that is exactly a descriptor may be written: a user's own
// settings, a folder or a link (which would write wherever it points) are never replaced.
bool CheckDescriptorTargets(const std::vector<std::string>& targets, Platform& platform) {
    const std::string descriptor = DescriptorBytes();
    UniqueNames inTheWay;
    for (const auto& path : targets) {
        const PathKind kind = KindOf(path);
        if (kind != PathKind::Missing &&
            (kind != PathKind::File || ReadStart(path, descriptor.size() + 1) != descriptor)) {
            inTheWay.Add(path);
        }
    }
    if (!inTheWay.Names().empty()) {
        platform.ShowMessage(DescriptorsInTheWayMessage(inTheWay.Names()));
        return false;
    }
    return true;
}

// The script is written after the settings files, so what would stop it is looked for first.
bool CheckScriptTarget(const std::string& scriptPath, Platform& platform) {
    const PathKind kind = KindOf(scriptPath);
    if (kind == PathKind::Missing || kind == PathKind::File) {
        return true;
    }
    platform.ShowMessage(
        WriteFailedMessage(scriptPath, kind == PathKind::Folder ? FolderInTheWayReason
                                       : kind == PathKind::Link ? LinkNotFollowedReason
                                                                : NotAFileReason));
    return false;
}

bool WriteDescriptors(const std::vector<std::string>& targets, Platform& platform,
                      const ConvertProgress& progress) {
    for (size_t i = 0; i < targets.size(); ++i) {
        const Result written = WriteTextLines(targets[i], TrackDescriptorLines());
        if (!written.ok) {
            platform.ShowMessage(WriteFailedMessage(targets[i], written.reason));
            return false;
        }
        if (progress) {
            progress(i + 1, targets.size());
        }
    }
    return true;
}

// Holds back what the steps under the folder's lock have to say until the lock is let go: a box
// left open must not keep the folder locked, or another copy of the tool would be told that a
// conversion is running.
class HeldMessages : public Platform {
public:
    explicit HeldMessages(Platform& desktop) : desktop_(desktop) {}
    void ShowMessage(const std::string& text) override { held_.push_back(text); }
    Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                        const ConversionLock& lock) override {
        return desktop_.LaunchScript(scriptPath, workingDir, lock);
    }
    void Show() {
        for (const std::string& text : held_) {
            desktop_.ShowMessage(text);
        }
        held_.clear();
    }

private:
    Platform& desktop_;
    std::vector<std::string> held_;
};

// Everything from the checks of the files to the launch, under the folder's lock.
void ConvertLocked(const std::vector<std::string>& entries, std::int16_t bitRate,
                   const std::string& appDir, Platform& platform, const PathRules& rules,
                   const ConvertProgress& progress, const ConversionLock& lock) {
    const std::vector<TrackJob> jobs = BuildTrackJobs(entries, bitRate, rules);
    const std::vector<std::string> targets = DescriptorTargets(entries, rules);
    const std::string scriptPath = rules.JoinPath(appDir, ScriptFileName);
    if (!CheckBeforeWriting(jobs, appDir, platform, rules) ||
        !CheckDescriptorTargets(targets, platform) || !CheckScriptTarget(scriptPath, platform) ||
        !WriteDescriptors(targets, platform, progress)) {
        return;
    }
    const Result written = WriteTextLines(scriptPath, ScriptLines(jobs, appDir, rules));
    if (!written.ok) {
        platform.ShowMessage(WriteFailedMessage(scriptPath, written.reason));
        return;
    }
    const Result launched = platform.LaunchScript(scriptPath, appDir, lock);
    if (!launched.ok) {
        platform.ShowMessage(LaunchFailedMessage(scriptPath, launched.reason));
        return;
    }
    platform.ShowMessage(WordsFor(rules).conversionBegun);
}

} // namespace

std::string DescriptorPath(std::string_view entry) {
    return ReplaceLastThree(entry, "lua");
}

const std::vector<std::string>& TrackDescriptorLines() {
    static const std::vector<std::string> lines{"version = 4", "volume = 0.7",
                                                "randSampContainer = 0"};
    return lines;
}

void ConvertFiles(const std::vector<std::string>& entries, std::int16_t bitRate,
                  const std::string& appDir, Platform& platform, const PathRules& rules,
                  const ConvertProgress& progress) {
    if (entries.empty()) {
        platform.ShowMessage(NoFilesToConvertMessage);
        return;
    }
    if (!CheckFolder(appDir, platform, rules)) {
        return;
    }
    // Taken before any file is looked at or written, and handed to the script's interpreter:
    // a running conversion's script is never rewritten under it, and its own intermediate files
    // are never taken for the user's.
    std::string whyNot;
    HeldMessages held(platform);
    if (auto lock = ConversionLock::Take(appDir, whyNot)) {
        ConvertLocked(entries, bitRate, appDir, held, rules, progress, *lock);
    } else {
        held.ShowMessage(whyNot.empty()
                             ? ConversionRunningMessage(appDir)
                             : LockFailedMessage(ConversionLock::LockedPath(appDir), whyNot));
    }
    held.Show();
}

} // namespace vq3
