#include "runner/Messages.h"

#include "platform/ConversionLock.h"
#include "platform/Text.h"

namespace vq3::runner {

namespace {

std::string Quote(const std::string& name) {
    return "'" + name + "'";
}

// A list of names, or "none".
std::string NamesOrNone(const std::vector<std::string>& names) {
    return names.empty() ? "none" : QuotedList(names);
}

} // namespace

std::string LockFailedMessage(const std::string& dir, const std::string& reason) {
    return "The conversion cannot start: the lock file " + Quote(ConversionLockName) +
           " cannot be made in " + Quote(dir) + ": " + reason + ".";
}

std::string ScriptUnreadableMessage(const std::string& path, const std::string& reason) {
    return "The conversion script " + Quote(path) + " cannot be read: " + reason + ".";
}

std::string FailureSummaryMessage(size_t failedLines, const std::vector<LineReport>& reports) {
    const size_t skipped = reports.size() - failedLines;
    std::string summary =
        "Not every file was converted: " + std::to_string(failedLines) +
        (failedLines == 1 ? " line" : " lines") + " of the conversion script failed" +
        (skipped == 0 ? "" : ", and " + std::to_string(skipped) + " skipped") + ".";
    constexpr size_t MostListed = 10;
    for (size_t i = 0; i < reports.size() && i < MostListed; ++i) {
        summary += "\nLine " + std::to_string(reports[i].number) + " (" + reports[i].text +
                   "): " + reports[i].reason + ".";
    }
    if (reports.size() > MostListed) {
        summary += "\nAnd " + std::to_string(reports.size() - MostListed) + " more.";
    }
    return summary;
}

std::string StoppedMessage(const std::vector<std::string>& converted,
                           const std::vector<std::string>& notConverted) {
    return "The conversion was stopped.\nConverted: " + NamesOrNone(converted) +
           ".\nNot converted: " + NamesOrNone(notConverted) + ".";
}

std::string NotACommandReason(const std::string& command) {
    return Quote(command) + " is not a command this interpreter runs";
}

std::string FolderNotFoundReason(const std::string& folder) {
    return "the folder " + Quote(folder) + " cannot be found";
}

std::string NoSuchStartOptionReason(const std::string& option) {
    return "start has no option " + Quote(option);
}

std::string ProgramNotFoundReason(const std::string& program, const std::string& workingDir) {
    return Quote(program) + " was not found in " + Quote(workingDir) + " or on the search path";
}

std::string ProgramCannotRunReason(const std::string& program, const std::string& workingDir) {
    return Quote(program) + " in " + Quote(workingDir) +
           " cannot be run: it is not marked executable, or it is a Windows program and wine is "
           "not installed";
}

std::string ProgramFailedReason(const std::string& program, const std::string& how) {
    return Quote(program) + " failed: " + how;
}

std::string NoAudioReason(const std::string& program, const std::string& wave) {
    return Quote(program) + " wrote no audio to " + Quote(wave);
}

std::string NoOutputReason(const std::string& program, const std::string& output) {
    return Quote(program) + " wrote no " + Quote(output);
}

std::string NoSuchLabelReason(const std::string& label) {
    return "the label " + Quote(label) + " cannot be found";
}

std::string NoSuchConditionReason(const std::string& condition) {
    return "if has no condition " + Quote(condition) + " this interpreter knows";
}

std::string FileNotFoundReason(const std::string& name) {
    return "the file " + Quote(name) + " cannot be found";
}

std::string CannotDeleteReason(const std::string& name, const std::string& why) {
    return Quote(name) + " cannot be deleted: " + why;
}

std::string NewNameHasFolderReason(const std::string& name) {
    return "the new name " + Quote(name) + " must be a file name without a folder";
}

std::string CannotRenameReason(const std::string& name, const std::string& why) {
    return Quote(name) + " cannot be renamed: " + why;
}

std::string AlreadyExistsReason(const std::string& name) {
    return Quote(name) + " already exists";
}

std::string NotStartedHow(const std::string& why) {
    return "it could not be started: " + why;
}

std::string ExitStatusHow(int status) {
    return "it ended with exit status " + std::to_string(status);
}

std::string KilledBySignalHow(const std::string& signal) {
    return "it was stopped by signal " + signal;
}

std::string WithLastWords(const std::string& how, const std::string& lastLine) {
    return lastLine.empty() ? how : how + ", saying \"" + lastLine + "\"";
}

} // namespace vq3::runner
