#include "runner/ScriptExecutor.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/posix/ProgramLookup.h"
#include "runner/ChildProcess.h"
#include "runner/Messages.h"
#include "runner/WaveFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vq3::runner {

namespace {

namespace fs = std::filesystem;

// Anything there, a folder too, as the command interpreter's "if exist" sees it.
bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

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
      stop_(stop), written_(ScriptVocabulary{}), account_(ScriptVocabulary{}) {}

const std::map<std::string, ScriptExecutor::Handler, std::less<>>& ScriptExecutor::Handlers() {
    static const std::map<std::string, Handler, std::less<>> handlers{
        {"if", &ScriptExecutor::If},           {"goto", &ScriptExecutor::GoTo},
        {"cd", &ScriptExecutor::ChangeFolder}, {"start", &ScriptExecutor::Start},
        {"del", &ScriptExecutor::Delete},      {"ren", &ScriptExecutor::Rename},
        {"set", &ScriptExecutor::Set},         {"title", &ScriptExecutor::Title},
        {"echo", &ScriptExecutor::Echo},       {"pause", &ScriptExecutor::Pause},
        {"msg", &ScriptExecutor::Message},     {"exit", &ScriptExecutor::Exit},
    };
    return handlers;
}

int ScriptExecutor::Run(const std::vector<ScriptLine>& lines) {
    // A label only marks a place; the command interpreter neither runs nor shows it. The titles
    // name every track the script converts, before it gets there.
    std::vector<bool> isLabel(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto label = LabelOf(lines[i].text)) {
            labels_[*label].push_back(i);
            isLabel[i] = true;
        } else if (const CommandParts command = SplitCommand(lines[i].text);
                   command.name == "title") {
            if (const auto track = ParseTrackTitle(UnescapeBatchLine(command.rest))) {
                account_.Listed(*track);
            }
        }
    }
    while (next_ < lines.size() && !ended_ && !stop_.Requested()) {
        const size_t at = next_++;
        if (!isLabel[at]) {
            Execute(lines[at]);
        }
    }
    if (stop_.Requested()) {
        written_.RemoveUnfinished();
        const RunOutcome outcome = Outcome(true);
        Tell(outcome);
        host_.ShowMessage(StoppedMessage(outcome));
        return 1;
    }
    const RunOutcome outcome = Outcome(false);
    const bool told = messageTold_ == outcome;
    Tell(outcome);
    // A script that stops early, or has no message line, must not fail silently.
    if (!outcome.failures.empty() && !told) {
        host_.ShowMessage(NotConvertedMessage(outcome));
    }
    return outcome.end == RunOutcome::End::AllConverted && exitStatus_ == 0 ? 0 : 1;
}

void ScriptExecutor::Execute(const ScriptLine& line) {
    const std::string text = RemoveCarets(
        ExpandPercents(line.text, [this](std::string_view name) { return Variable(name); }));
    if (echo_) {
        host_.Transcript(workingDir_ + ">" + text + "\n");
    }
    const CommandParts command = SplitCommand(text);
    account_.LineRuns(command.name == "if");
    Dispatch(command);
}

void ScriptExecutor::Dispatch(const CommandParts& command) {
    added_.clear();
    const auto handler = Handlers().find(command.name);
    const Result result = handler == Handlers().end()
                              ? Result::Failure(NotACommandReason(command.name))
                              : (this->*handler->second)(command.rest);
    if (!result.ok) {
        LineFailed(result.reason);
    }
}

void ScriptExecutor::LineFailed(const std::string& reason) {
    host_.Transcript(reason + ".\n");
    // A program ended by a stop did not fail.
    if (!stop_.Requested()) {
        account_.Failed(reason, added_);
    }
    added_.clear();
}

Result ScriptExecutor::If(const std::string& rest) {
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
        holds = Exists(PathOf(Unquoted(operand.name)));
    } else if (condition.name == "defined" && !operand.name.empty()) {
        holds = variables_.count(LowerAscii(operand.name)) != 0;
    } else {
        return Result::Failure(NoSuchConditionReason(condition.name + " " + operand.name));
    }
    if (holds != negated && !operand.rest.empty()) {
        Dispatch(SplitCommand(operand.rest));
    }
    return Result::Success();
}

Result ScriptExecutor::GoTo(const std::string& rest) {
    std::string label = SplitCommand(rest).name;
    if (label.starts_with(':')) {
        label.erase(0, 1);
    }
    // As the command interpreter looks: onwards from here, then from the top.
    const auto places = labels_.find(label);
    if (places == labels_.end()) {
        // The command interpreter ends a script whose label is not there.
        ended_ = true;
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
        // Going on in an unknown folder could delete the wrong file.
        ended_ = true;
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
    written_.ProgramStarting(args, workingDir_);
    const Result result = RunProgram(args);
    if (!result.ok && !stop_.Requested()) {
        written_.ProgramFailed();
    }
    return result;
}

Result ScriptExecutor::RunProgram(const std::vector<std::string>& args) {
    // What the script sees of a program that cannot be started.
    errorLevel_ = 1;
    // Looked up once per folder, as a shell remembers where it found a command.
    auto& program = programs_[{workingDir_, args.front()}];
    if (!program) {
        program = FindProgram(args.front(), workingDir_, searchPath_);
    }
    if (!program) {
        // A file that is there but cannot run must not be reported as missing.
        const std::string reason = FileExists(PathOf(args.front()))
                                       ? ProgramCannotRunReason(args.front(), workingDir_)
                                       : ProgramNotFoundReason(args.front(), workingDir_);
        added_ = AddedReason(reason);
        return Result::Failure(reason);
    }
    std::vector<std::string> argv = *program;
    argv.insert(argv.end(), args.begin() + 1, args.end());
    const OutputSink toTranscript = [this](std::string_view output) { host_.Transcript(output); };
    ProgramEnd end;
    const Result ran = RunAndWait(
        argv, workingDir_, host_.CapturesProgramOutput() ? &toTranscript : nullptr, &stop_, &end);
    errorLevel_ = end.status;
    added_ = WithLastWords("", end.lastErrorLine);
    if (!ran.ok) {
        return Result::Failure(ProgramFailedReason(args.front(), ran.reason));
    }
    if (const std::string wave = written_.DecodedWave(args);
        !wave.empty() && !HoldsAudio(PathOf(wave))) {
        // The script must see the failure too, or it would encode the silence as a track.
        errorLevel_ = end.status == 0 ? 1 : end.status;
        const std::string reason = NoAudioReason(args.front(), wave);
        added_ = AddedReason(reason) + added_;
        return Result::Failure(WithLastWords(reason, end.lastErrorLine));
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
    return Result::Success();
}

Result ScriptExecutor::Rename(const std::string& rest) {
    const std::vector<std::string> names = SplitWindowsCommandLine(rest);
    if (names.size() != 2) {
        return Result::Failure(RenameNeedsTwoNamesReason);
    }
    if (names[1].empty() || names[1].find('/') != std::string::npos) {
        return Result::Failure(NewNameHasFolderReason(names[1]));
    }
    const std::string from = PathOf(names[0]);
    if (struct stat info{}; stat(from.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        // Only a file can be a track's output: a folder of that name is never renamed.
        return Result::Failure(FileNotFoundReason(names[0]));
    }
    const std::string to = from.substr(0, from.rfind('/') + 1) + names[1];
    if (const int error = RenameWithoutReplacing(from, to); error != 0) {
        return Result::Failure(CannotRenameReason(
            names[0], error == EEXIST ? AlreadyExistsReason(names[1]) : std::strerror(error)));
    }
    // The track's output has its final name: what its programs wrote is no longer unfinished.
    written_.TrackFinished();
    account_.Finished();
    return Result::Success();
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

Result ScriptExecutor::Title(const std::string& rest) {
    const auto track = ParseTrackTitle(rest);
    host_.Title(rest, track);
    if (track) {
        written_.TrackFinished();
        account_.Begins(*track);
    }
    return Result::Success();
}

Result ScriptExecutor::Echo(const std::string& rest) {
    const std::string word = LowerAscii(rest);
    if (word == "off" || word == "on") {
        echo_ = word == "on";
    } else {
        host_.Transcript(rest + "\n");
    }
    return Result::Success();
}

Result ScriptExecutor::Pause(const std::string& /*rest*/) {
    host_.Transcript(std::string(PausePrompt) + "\n");
    host_.Pause(stop_);
    return Result::Success();
}

Result ScriptExecutor::Message(const std::string& rest) {
    const RunOutcome outcome = Outcome(false);
    Tell(outcome);
    messageTold_ = outcome;
    // After a failure the script did not look at, its own words could announce a success.
    host_.ShowMessage(account_.HasUnansweredFailure()
                          ? NotConvertedMessage(outcome)
                          : WithFailures(SplitCommand(rest).rest, outcome));
    return Result::Success();
}

Result ScriptExecutor::Exit(const std::string& rest) {
    exitStatus_ = Number(rest).value_or(0);
    ended_ = true;
    return Result::Success();
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
    return InFolder(workingDir_, name);
}

RunOutcome ScriptExecutor::Outcome(bool stopped) const {
    return account_.Outcome([this](const std::string& name) { return Variable(name); }, stopped);
}

void ScriptExecutor::Tell(const RunOutcome& outcome) {
    if (told_ != outcome) {
        host_.Outcome(outcome);
        told_ = outcome;
    }
}

} // namespace vq3::runner
