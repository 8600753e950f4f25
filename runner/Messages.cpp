#include "runner/Messages.h"

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
    return "The conversion cannot start: the folder " + Quote(dir) +
           " cannot be locked: " + reason + ".";
}

std::string ScriptUnreadableMessage(const std::string& path, const std::string& reason) {
    return "The conversion script " + Quote(path) + " cannot be read: " + reason + ".";
}

std::string OutcomeText(const RunOutcome& outcome) {
    const std::string of = " of " + std::to_string(outcome.count);
    const std::string converted = std::to_string(outcome.converted.size()) + of + " converted";
    switch (outcome.end) {
    case RunOutcome::End::AllConverted:
        return outcome.count == 0 ? "The conversion has ended" : converted;
    case RunOutcome::End::NotAllConverted:
        return outcome.count == 0 ? NotEveryFileText
                                  : converted + ", " + std::to_string(outcome.notConverted.size()) +
                                        " not converted";
    case RunOutcome::End::Stopped:
        return outcome.count == 0 ? "Stopped" : "Stopped: " + converted;
    }
    return "";
}

std::string NotConvertedMessage(const RunOutcome& outcome) {
    const size_t failed = outcome.notConverted.size();
    std::string message = NotEveryFileText;
    if (outcome.count > 0) {
        message += ": " + std::to_string(failed) + " of " + std::to_string(outcome.count) +
                   (failed == 1 ? " was" : " were") + " not converted";
    }
    return WithFailures(message + ".", outcome);
}

std::string WithFailures(const std::string& message, const RunOutcome& outcome) {
    std::string text = message;
    constexpr size_t MostListed = 10;
    for (size_t i = 0; i < outcome.failures.size() && i < MostListed; ++i) {
        const auto& [track, why] = outcome.failures[i];
        text += (i == 0 ? "\n\n" : "\n") + (track.empty() ? "" : Quote(track) + ": ") + why + ".";
    }
    if (outcome.failures.size() > MostListed) {
        text += "\nAnd " + std::to_string(outcome.failures.size() - MostListed) + " more.";
    }
    return text;
}

std::string StoppedMessage(const RunOutcome& outcome) {
    std::string message = "The conversion was stopped";
    if (outcome.count > 0) {
        message += ": " + std::to_string(outcome.converted.size()) + " of " +
                   std::to_string(outcome.count) + " converted";
    }
    return WithFailures(message + ".\nConverted: " + NamesOrNone(outcome.converted) +
                            ".\nNot converted: " + NamesOrNone(outcome.notConverted) + ".",
                        outcome);
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

std::string AddedReason(const std::string& reason) {
    return " (" + reason + ")";
}

} // namespace vq3::runner
