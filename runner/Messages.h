#pragma once

#include "runner/RunAccount.h"

#include <string>
#include <vector>

namespace vq3::runner {

// Every text the script runner shows or writes, in one place.

constexpr const char* UsageMessage = "usage: vq3run [--lock-fd=N] SCRIPT";
constexpr const char* AlreadyRunningMessage =
    "A conversion is already running in this folder. Wait until it has finished, then try again.";
constexpr const char* StopQuestion =
    "Stop the conversion? The files converted so far are kept; the one being converted now is "
    "not finished.";

constexpr const char* NotEveryFileText = "Not every file was converted";
constexpr const char* PausePrompt = "Press any key to continue . . .";

// The runner's window.
constexpr const char* ConvertingText = "Starting the conversion...";
constexpr const char* PressAKeyText = "Press a key, or close this window.";
constexpr const char* TimeSoFarText = "Time so far: ";
constexpr const char* TimeTakenText = "Time taken: ";
constexpr const char* ShowDetailsText = "Show details";
constexpr const char* HideDetailsText = "Hide details";

std::string LockFailedMessage(const std::string& dir, const std::string& reason);
std::string ScriptUnreadableMessage(const std::string& path, const std::string& reason);

// How a run ended, in tracks: "2 of 2 converted", "1 of 2 converted, 1 not converted",
// "Stopped: 1 of 2 converted".
std::string OutcomeText(const RunOutcome& outcome);
// The runner's own account, for failures the script does not report: counts, then each file and
// why.
std::string NotConvertedMessage(const RunOutcome& outcome);
// The script's own message, followed by each file that was not converted and why.
std::string WithFailures(const std::string& message, const RunOutcome& outcome);
// What was and was not converted before the stop.
std::string StoppedMessage(const RunOutcome& outcome);

// Why a line failed.
constexpr const char* NoProgramReason = "start names no program";
constexpr const char* DeleteNeedsOneNameReason = "del takes one file name";
constexpr const char* RenameNeedsTwoNamesReason = "ren takes two file names";
constexpr const char* NotReachedReason = "the conversion ended before it";
constexpr const char* SetNeedsAssignmentReason =
    "set takes NAME=VALUE, or /a NAME=NUMBER or NAME+=NUMBER";
std::string NotACommandReason(const std::string& command);
std::string FolderNotFoundReason(const std::string& folder);
std::string NoSuchStartOptionReason(const std::string& option);
std::string ProgramNotFoundReason(const std::string& program, const std::string& workingDir);
std::string ProgramCannotRunReason(const std::string& program, const std::string& workingDir);
std::string ProgramFailedReason(const std::string& program, const std::string& how);
std::string NoAudioReason(const std::string& program, const std::string& wave);
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
// What the runner saw of a failure, added to the script's own record of it.
std::string AddedReason(const std::string& reason);

} // namespace vq3::runner
