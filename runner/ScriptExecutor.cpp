#include "runner/ScriptExecutor.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/posix/ProgramLookup.h"
#include "runner/ChildProcess.h"
#include "runner/WaveFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace vq3::runner {

namespace {

namespace fs = std::filesystem;

std::string Unquoted(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Renames without ever replacing an existing file, as the Windows command does.
int RenameWithoutReplacing(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // File systems without that flag: a hard link refuses an existing name too.
    if (link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    return unlink(from.c_str()) == 0 ? 0 : errno;
}

} // namespace

ScriptExecutor::ScriptExecutor(RunnerHost& host, std::string workingDir, std::string searchPath,
                               const StopRequest& stop)
    : host_(host), workingDir_(std::move(workingDir)), searchPath_(std::move(searchPath)),
      stop_(stop) {}

int ScriptExecutor::Run(const std::vector<ScriptLine>& lines) {
    // A label only marks a place; the command interpreter neither runs nor shows it.
    std::vector<bool> isLabel(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto label = LabelOf(lines[i].text)) {
            labels_[*label].push_back(i);
            isLabel[i] = true;
        }
    }
    while (next_ < lines.size() && !stop_.Requested()) {
        const size_t at = next_++;
        if (!isLabel[at] && Execute(lines[at]) == Flow::Stop) {
            break;
        }
    }
    if (stop_.Requested()) {
        RemoveWhatThisRunWrote(currentTrack_);
        std::string message = StoppedMessage(converted_, NotConverted(lines));
        if (failedLines_ > 0) {
            message += "\n\n" + FailureSummaryMessage(failedLines_, reports_);
        }
        host_.ShowMessage(message);
        return 1;
    }
    // A script that stops early, or has no message line, must not fail silently.
    if (failedLines_ > 0 && !summaryShown_) {
        host_.ShowMessage(FailureSummaryMessage(failedLines_, reports_));
    }
    return failedLines_ == 0 && exitStatus_ == 0 ? 0 : 1;
}

ScriptExecutor::Flow ScriptExecutor::Execute(const ScriptLine& line) {
    const std::string text = RemoveCarets(
        ExpandPercents(line.text, [this](std::string_view name) { return Variable(name); }));
    if (echo_) {
        host_.Transcript(workingDir_ + ">" + text + "\n");
    }
    return Dispatch(line, text, SplitCommand(text));
}

ScriptExecutor::Flow ScriptExecutor::Dispatch(const ScriptLine& line, const std::string& text,
                                              const CommandParts& command) {
    Result result;
    Flow flow = Flow::Continue;
    if (command.name == "if") {
        return If(line, text, command.rest);
    } else if (command.name == "goto") {
        result = GoTo(command.rest);
        // The command interpreter ends a script whose label is not there.
        flow = result.ok ? Flow::Continue : Flow::Stop;
    } else if (command.name == "cd") {
        result = ChangeFolder(command.rest);
        // Going on in an unknown folder could delete the wrong file.
        flow = result.ok ? Flow::Continue : Flow::Stop;
    } else if (command.name == "start") {
        result = Start(command.rest);
    } else if (command.name == "del") {
        result = Delete(command.rest);
    } else if (command.name == "ren") {
        return Rename(line, text, command.rest);
    } else if (command.name == "set") {
        result = Set(command.rest);
    } else if (command.name == "title") {
        if (const auto progress = ParseTrackTitle(command.rest)) {
            host_.Progress(*progress);
        }
    } else if (command.name == "echo") {
        Echo(command.rest);
    } else if (command.name == "pause") {
        host_.Transcript(std::string(PausePrompt) + "\n");
        host_.Pause(stop_);
    } else if (command.name == "msg") {
        Message(command.rest);
    } else if (command.name == "exit") {
        exitStatus_ = Number(command.rest).value_or(0);
        flow = Flow::Stop;
    } else {
        result = Result::Failure(NotACommandReason(command.name));
    }
    if (!result.ok && stop_.Requested()) {
        // A program ended by a stop did not fail.
        host_.Transcript(result.reason + ".\n");
    } else if (!result.ok) {
        ++failedLines_;
        Report(line, text, result.reason);
    }
    return flow;
}

ScriptExecutor::Flow ScriptExecutor::If(const ScriptLine& line, const std::string& text,
                                        const std::string& rest) {
    CommandParts condition = SplitCommand(rest);
    const bool negated = condition.name == "not";
    if (negated) {
        condition = SplitCommand(condition.rest);
    }
    const CommandParts operand = SplitFirstWord(condition.rest);
    bool holds = false;
    if (const auto level = Number(operand.name); condition.name == "errorlevel" && level) {
        holds = errorLevel_ >= *level;
    } else if (condition.name == "exist" && !operand.name.empty()) {
        std::error_code ignored;
        holds = fs::exists(PathOf(Unquoted(operand.name)), ignored);
    } else if (condition.name == "defined" && !operand.name.empty()) {
        holds = variables_.count(LowerAscii(operand.name)) != 0;
    } else {
        ++failedLines_;
        Report(line, text, NoSuchConditionReason(condition.name + " " + operand.name));
        return Flow::Continue;
    }
    if (holds == negated || operand.rest.empty()) {
        return Flow::Continue;
    }
    return Dispatch(line, text, SplitCommand(operand.rest));
}

Result ScriptExecutor::GoTo(const std::string& rest) {
    std::string label = SplitCommand(rest).name;
    if (label.starts_with(':')) {
        label.erase(0, 1);
    }
    // As the command interpreter looks: onwards from here, then from the top.
    const auto places = labels_.find(label);
    if (places == labels_.end()) {
        return Result::Failure(NoSuchLabelReason(label));
    }
    const auto after = std::lower_bound(places->second.begin(), places->second.end(), next_);
    next_ = (after != places->second.end() ? *after : places->second.front()) + 1;
    return Result::Success();
}

Result ScriptExecutor::ChangeFolder(const std::string& rest) {
    const fs::path target = fs::path(workingDir_) / Unquoted(rest);
    std::error_code error;
    if (rest.empty() || !fs::is_directory(target, error)) {
        return Result::Failure(FolderNotFoundReason(Unquoted(rest)));
    }
    workingDir_ = target.lexically_normal().string();
    if (workingDir_.size() > 1 && workingDir_.back() == '/') {
        workingDir_.pop_back();
    }
    return Result::Success();
}

Result ScriptExecutor::Start(const std::string& rest) {
    std::string remaining = rest;
    while (!remaining.empty() && remaining.front() == '/') {
        const CommandParts option = SplitCommand(remaining);
        if (option.name != "/b" && option.name != "/min" && option.name != "/wait") {
            return Result::Failure(NoSuchStartOptionReason(option.name));
        }
        remaining = option.rest;
    }
    const std::vector<std::string> args = SplitWindowsCommandLine(remaining);
    if (args.empty()) {
        return Result::Failure(NoProgramReason);
    }

    // What the line writes, so that a failure can be cleaned up after.
    const std::string program = LowerAscii(args.front());
    std::string decodedWave;
    std::string track;
    std::string written;
    bool beginsTrack = false;
    if (program == "madplay.exe") {
        for (const auto& arg : args) {
            if (arg.starts_with("wave:")) {
                decodedWave = arg.substr(5);
            }
        }
        written = decodedWave;
        track = TrackOf(decodedWave, "wav");
        beginsTrack = true;
    } else if (program == "enc.exe" && args.size() > 2) {
        written = args[2];
        track = TrackOf(written, "aifr");
        beginsTrack = !WrittenByThisRun(track, PathOf(args[1]));
    }
    if (!track.empty()) {
        currentTrack_ = track;
        if (beginsTrack) {
            failedTracks_.erase(track);
        }
        std::error_code ignored;
        if (!fs::exists(PathOf(written), ignored)) {
            writtenByThisRun_[track].push_back(PathOf(written));
        }
    }
    Result result = RunProgram(args, decodedWave);
    // The encoder must leave its output; the script's own check finds it missing too.
    if (result.ok && program == "enc.exe" && !written.empty() && !FileExists(PathOf(written))) {
        result = Result::Failure(NoOutputReason(args.front(), written));
    }
    if (!result.ok && !track.empty()) {
        failedTracks_.insert(track);
    }
    return result;
}

Result ScriptExecutor::RunProgram(const std::vector<std::string>& args,
                                  const std::string& decodedWave) {
    // What the script sees of a program that cannot be started.
    errorLevel_ = 1;
    const auto program = FindProgram(args.front(), workingDir_, searchPath_);
    if (!program) {
        // A file that is there but cannot run must not be reported as missing.
        return Result::Failure(FileExists(PathOf(args.front()))
                                   ? ProgramCannotRunReason(args.front(), workingDir_)
                                   : ProgramNotFoundReason(args.front(), workingDir_));
    }
    std::vector<std::string> argv = *program;
    argv.insert(argv.end(), args.begin() + 1, args.end());
    const OutputSink toTranscript = [this](std::string_view output) { host_.Transcript(output); };
    ProgramEnd end;
    const Result ran = RunAndWait(
        argv, workingDir_, host_.CapturesProgramOutput() ? &toTranscript : nullptr, &stop_, &end);
    errorLevel_ = end.status;
    if (!ran.ok) {
        return Result::Failure(ProgramFailedReason(args.front(), ran.reason));
    }
    if (!decodedWave.empty() && !HoldsAudio(PathOf(decodedWave))) {
        // The script must see the failure too, or it would encode the silence as a track.
        errorLevel_ = end.status == 0 ? 1 : end.status;
        return Result::Failure(
            WithLastWords(NoAudioReason(args.front(), decodedWave), end.lastErrorLine));
    }
    return Result::Success();
}

Result ScriptExecutor::Delete(const std::string& rest) {
    const std::vector<std::string> names = SplitWindowsCommandLine(rest);
    if (names.size() != 1) {
        return Result::Failure(DeleteNeedsOneNameReason);
    }
    const fs::path target = PathOf(names[0]);
    std::error_code error;
    if (!fs::is_regular_file(target, error)) {
        return Result::Failure(FileNotFoundReason(names[0]));
    }
    if (!fs::remove(target, error)) {
        return Result::Failure(CannotDeleteReason(names[0], error.message()));
    }
    // Gone, so a file of that name that turns up later is not this run's to remove.
    for (auto& [track, paths] : writtenByThisRun_) {
        std::erase(paths, target.string());
    }
    return Result::Success();
}

ScriptExecutor::Flow ScriptExecutor::Rename(const ScriptLine& line, const std::string& text,
                                            const std::string& rest) {
    const std::vector<std::string> names = SplitWindowsCommandLine(rest);
    const std::string track = names.empty() ? "" : TrackOf(names.front(), "aifr");
    currentTrack_.clear();
    if (failedTracks_.erase(track) != 0) {
        Report(line, text, SkippedReason);
        RemoveWhatThisRunWrote(track);
        return Flow::Continue;
    }
    // Whatever the rename does, the encoder's output is finished: it is no longer ours to remove.
    writtenByThisRun_.erase(track);
    std::string failure;
    std::error_code ignored;
    if (names.size() != 2) {
        failure = RenameNeedsTwoNamesReason;
    } else if (names[1].empty() || names[1].find('/') != std::string::npos) {
        failure = NewNameHasFolderReason(names[1]);
    } else if (const fs::path from = PathOf(names[0]);
               fs::exists(from, ignored) && !fs::is_regular_file(from, ignored)) {
        // Only a file can be a track's output: a folder of that name is never renamed.
        failure = FileNotFoundReason(names[0]);
    } else {
        const fs::path to = from.parent_path() / names[1];
        if (const int error = RenameWithoutReplacing(from.string(), to.string()); error != 0) {
            failure = CannotRenameReason(names[0], error == EEXIST ? AlreadyExistsReason(names[1])
                                                                   : std::strerror(error));
        }
    }
    if (!failure.empty()) {
        ++failedLines_;
        Report(line, text, failure);
    } else {
        converted_.push_back(names[1]);
    }
    return Flow::Continue;
}

Result ScriptExecutor::Set(const std::string& rest) {
    const CommandParts option = SplitCommand(rest);
    const bool arithmetic = option.name == "/a";
    std::string assignment = arithmetic ? option.rest : rest;
    // set "name=value": the value ends at the last quote.
    if (!arithmetic && assignment.starts_with('"') && assignment.rfind('"') > 0) {
        assignment = assignment.substr(1, assignment.rfind('"') - 1);
    }
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
        return Result::Failure(SetNeedsAssignmentReason);
    }
    std::string name = LowerAscii(assignment.substr(0, equals));
    std::string value = assignment.substr(equals + 1);
    if (arithmetic) {
        // The two forms a script needs: "name=number" and "name+=number".
        const bool adding = name.ends_with('+');
        while (!name.empty() && (name.back() == '+' || name.back() == ' ')) {
            name.pop_back();
        }
        const auto operand = Number(SplitCommand(value).name);
        if (!operand || name.empty()) {
            return Result::Failure(SetNeedsAssignmentReason);
        }
        const int before = adding ? Number(Variable(name).value_or("0")).value_or(0) : 0;
        value = std::to_string(before + *operand);
    }
    if (value.empty()) {
        variables_.erase(name);
    } else {
        variables_[name] = value;
    }
    return Result::Success();
}

void ScriptExecutor::Echo(const std::string& rest) {
    const std::string word = LowerAscii(rest);
    if (word == "off" || word == "on") {
        echo_ = word == "on";
        return;
    }
    host_.Transcript(rest + "\n");
}

void ScriptExecutor::Message(const std::string& rest) {
    if (failedLines_ == 0) {
        host_.ShowMessage(SplitCommand(rest).rest);
        return;
    }
    host_.ShowMessage(FailureSummaryMessage(failedLines_, reports_));
    summaryShown_ = true;
}

void ScriptExecutor::Report(const ScriptLine& line, const std::string& text,
                            const std::string& reason) {
    host_.Transcript(reason + ".\n");
    reports_.push_back({line.number, text, reason});
}

std::optional<std::string> ScriptExecutor::Variable(std::string_view name) const {
    const std::string key = LowerAscii(name);
    if (const auto found = variables_.find(key); found != variables_.end()) {
        return found->second;
    }
    if (key == "errorlevel") {
        return std::to_string(errorLevel_);
    }
    return std::nullopt;
}

std::string ScriptExecutor::PathOf(const std::string& name) const {
    return (fs::path(workingDir_) / name).string();
}

std::string ScriptExecutor::TrackOf(const std::string& name, const std::string& extension) const {
    if (name.size() <= extension.size() ||
        LowerAscii(std::string_view(name).substr(name.size() - extension.size())) != extension) {
        return "";
    }
    return PathOf(name.substr(0, name.size() - extension.size()));
}

bool ScriptExecutor::WrittenByThisRun(const std::string& track, const std::string& path) const {
    const auto written = writtenByThisRun_.find(track);
    return written != writtenByThisRun_.end() &&
           std::find(written->second.begin(), written->second.end(), path) != written->second.end();
}

void ScriptExecutor::RemoveWhatThisRunWrote(const std::string& track) {
    const auto written = writtenByThisRun_.find(track);
    if (written == writtenByThisRun_.end()) {
        return;
    }
    for (const auto& path : written->second) {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    writtenByThisRun_.erase(written);
}

std::vector<std::string> ScriptExecutor::NotConverted(const std::vector<ScriptLine>& lines) const {
    std::set<std::string> listed(converted_.begin(), converted_.end());
    std::vector<std::string> notConverted;
    for (const auto& line : lines) {
        const CommandParts command = SplitCommand(UnescapeBatchLine(line.text));
        const std::vector<std::string> names = SplitWindowsCommandLine(command.rest);
        if (command.name == "ren" && names.size() == 2 && listed.insert(names[1]).second) {
            notConverted.push_back(names[1]);
        }
    }
    return notConverted;
}

} // namespace vq3::runner
