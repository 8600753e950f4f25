#pragma once

#include <string>
#include <vector>

namespace vq3::runner {

// Every text the script runner shows or writes, in one place.

constexpr const char* UsageMessage = "usage: vq3run SCRIPT";
constexpr const char* AlreadyRunningMessage =
    "A conversion is already running in this folder. Wait until it has finished, then try again.";
constexpr const char* StopQuestion =
    "Stop the conversion? The files converted so far are kept; the one being converted now is "
    "not finished.";

constexpr const char* PausePrompt = "Press any key to continue . . .";

// The runner's window.
constexpr const char* ConvertingText = "Starting the conversion...";
constexpr const char* PausedText =
    "Not every file was converted.  Press a key, or close this window.";
constexpr const char* TimeSoFarText = "Time so far: ";
constexpr const char* TimeTakenText = "Time taken: ";
constexpr const char* ShowDetailsText = "Show details";
constexpr const char* HideDetailsText = "Hide details";

std::string LockFailedMessage(const std::string& dir, const std::string& reason);
std::string ScriptUnreadableMessage(const std::string& path, const std::string& reason);

// A line that failed or was skipped, as the summary lists it.
struct LineReport {
    int number;
    std::string text;
    std::string reason;
};

// Counts the failed lines; lists the first reports, skipped lines among them.
std::string FailureSummaryMessage(size_t failedLines, const std::vector<LineReport>& reports);
// The final names of the tracks that were converted before the stop, and of those that were not.
std::string StoppedMessage(const std::vector<std::string>& converted,
                           const std::vector<std::string>& notConverted);

// Why a line failed.
constexpr const char* NoProgramReason = "start names no program";
constexpr const char* DeleteNeedsOneNameReason = "del takes one file name";
constexpr const char* RenameNeedsTwoNamesReason = "ren takes two file names";
constexpr const char* SkippedReason = "skipped, as an earlier line of this track failed";
constexpr const char* SetNeedsAssignmentReason =
    "set takes NAME=VALUE, or /a NAME=NUMBER or NAME+=NUMBER";
std::string NotACommandReason(const std::string& command);
std::string FolderNotFoundReason(const std::string& folder);
std::string NoSuchStartOptionReason(const std::string& option);
std::string ProgramNotFoundReason(const std::string& program, const std::string& workingDir);
std::string ProgramCannotRunReason(const std::string& program, const std::string& workingDir);
std::string ProgramFailedReason(const std::string& program, const std::string& how);
std::string NoAudioReason(const std::string& program, const std::string& wave);
std::string NoOutputReason(const std::string& program, const std::string& output);
std::string NoSuchLabelReason(const std::string& label);
std::string NoSuchConditionReason(const std::string& condition);
std::string FileNotFoundReason(const std::string& name);
std::string CannotDeleteReason(const std::string& name, const std::string& why);
std::string NewNameHasFolderReason(const std::string& name);
std::string CannotRenameReason(const std::string& name, const std::string& why);
std::string AlreadyExistsReason(const std::string& name);

// How a program ended, for ProgramFailedReason.
constexpr const char* EndedAbnormallyHow = "it ended abnormally";
constexpr const char* StoppedWithTheConversionHow = "it was ended, as the conversion was stopped";
std::string NotStartedHow(const std::string& why);
std::string ExitStatusHow(int status);
std::string KilledBySignalHow(const std::string& signal);
// The last line the program wrote to its error output, added to how it ended.
std::string WithLastWords(const std::string& how, const std::string& lastLine);

} // namespace vq3::runner
