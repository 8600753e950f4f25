#include "runner/ScriptExecutor.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "runner/ChildProcess.h"
#include "runner/ProgramLookup.h"
#include "runner/WaveFile.h"

#include <cerrno>
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
    for (const auto& line : lines) {
        if (stop_.Requested() || Execute(line) == Flow::Stop) {
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
    return failedLines_ == 0 ? 0 : 1;
}

ScriptExecutor::Flow ScriptExecutor::Execute(const ScriptLine& line) {
    const std::string text = UnescapeBatchLine(line.text);
    host_.Transcript(workingDir_ + ">" + text + "\n");
    const CommandParts command = SplitCommand(text);

    Result result;
    Flow flow = Flow::Continue;
    if (command.name == "cd") {
        result = ChangeFolder(command.rest);
        // Going on in an unknown folder could delete the wrong file.
        flow = result.ok ? Flow::Continue : Flow::Stop;
    } else if (command.name == "start") {
        result = Start(command.rest);
    } else if (command.name == "del") {
        result = Delete(command.rest);
    } else if (command.name == "ren") {
        const std::vector<std::string> names = SplitWindowsCommandLine(command.rest);
        const std::string track = names.empty() ? "" : TrackOf(names.front(), "aifr");
        currentTrack_.clear();
        if (failedTracks_.erase(track) != 0) {
            Report(line, text, SkippedReason);
            RemoveWhatThisRunWrote(track);
            return flow;
        }
        // Whatever the rename does, the encoder's output is finished: it is no longer ours to
        // remove.
        writtenByThisRun_.erase(track);
        result = Rename(names);
    } else if (command.name == "msg") {
        Message(command.rest);
    } else if (command.name == "exit") {
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
    if (program == "madplay.exe") {
        for (const auto& arg : args) {
            if (arg.starts_with("wave:")) {
                decodedWave = arg.substr(5);
            }
        }
        written = decodedWave;
        track = TrackOf(decodedWave, "wav");
    } else if (program == "enc.exe" && args.size() > 2) {
        written = args[2];
        track = TrackOf(written, "aifr");
    }
    if (!track.empty()) {
        currentTrack_ = track;
        std::error_code ignored;
        if (!fs::exists(PathOf(written), ignored)) {
            writtenByThisRun_[track].push_back(PathOf(written));
        }
    }
    const Result result = RunProgram(args, decodedWave);
    if (!result.ok && !track.empty()) {
        failedTracks_.insert(track);
    }
    return result;
}

Result ScriptExecutor::RunProgram(const std::vector<std::string>& args,
                                  const std::string& decodedWave) {
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
    std::string lastWords;
    const Result ran =
        RunAndWait(argv, workingDir_, host_.CapturesProgramOutput() ? &toTranscript : nullptr,
                   &stop_, &lastWords);
    if (!ran.ok) {
        return Result::Failure(ProgramFailedReason(args.front(), ran.reason));
    }
    if (!decodedWave.empty() && !HoldsAudio(PathOf(decodedWave))) {
        return Result::Failure(WithLastWords(NoAudioReason(args.front(), decodedWave), lastWords));
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

Result ScriptExecutor::Rename(const std::vector<std::string>& names) {
    if (names.size() != 2) {
        return Result::Failure(RenameNeedsTwoNamesReason);
    }
    if (names[1].empty() || names[1].find('/') != std::string::npos) {
        return Result::Failure(NewNameHasFolderReason(names[1]));
    }
    const fs::path from = PathOf(names[0]);
    const fs::path to = from.parent_path() / names[1];
    if (const int error = RenameWithoutReplacing(from.string(), to.string()); error != 0) {
        return Result::Failure(CannotRenameReason(
            names[0], error == EEXIST ? AlreadyExistsReason(names[1]) : std::strerror(error)));
    }
    converted_.push_back(names[1]);
    return Result::Success();
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
    const std::set<std::string> converted(converted_.begin(), converted_.end());
    std::vector<std::string> notConverted;
    for (const auto& line : lines) {
        const CommandParts command = SplitCommand(UnescapeBatchLine(line.text));
        const std::vector<std::string> names = SplitWindowsCommandLine(command.rest);
        if (command.name == "ren" && names.size() == 2 && converted.count(names[1]) == 0) {
            notConverted.push_back(names[1]);
        }
    }
    return notConverted;
}

} // namespace vq3::runner
