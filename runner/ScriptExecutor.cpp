#include "runner/ScriptExecutor.h"

#include "runner/ChildProcess.h"
#include "runner/ProgramLookup.h"
#include "runner/WindowsCommandLine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace vq3::runner {

namespace {

namespace fs = std::filesystem;

constexpr size_t MostFailuresListed = 10;

std::string Quote(const std::string& name) {
    return "'" + name + "'";
}

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

ScriptExecutor::ScriptExecutor(RunnerHost& host, std::string workingDir, std::string searchPath)
    : host_(host), workingDir_(std::move(workingDir)), searchPath_(std::move(searchPath)) {}

int ScriptExecutor::Run(const std::vector<ScriptLine>& lines) {
    for (const auto& line : lines) {
        if (Execute(line) == Flow::Stop) {
            break;
        }
    }
    // A script that stops early, or has no message line, must not fail silently.
    if (!failures_.empty() && !failuresShown_) {
        host_.ShowMessage(FailureSummary());
    }
    return failures_.empty() ? 0 : 1;
}

ScriptExecutor::Flow ScriptExecutor::Execute(const ScriptLine& line) {
    const std::string text = UnescapeBatchLine(line.text);
    host_.Transcript(workingDir_ + ">" + text + "\n");
    const CommandParts command = SplitCommand(text);

    Outcome failure;
    Flow flow = Flow::Continue;
    if (command.name == "cd") {
        failure = ChangeFolder(command.rest);
        // Going on in an unknown folder could delete the wrong file.
        flow = failure ? Flow::Stop : Flow::Continue;
    } else if (command.name == "start") {
        failure = Start(command.rest);
    } else if (command.name == "del") {
        failure = Delete(command.rest);
    } else if (command.name == "ren") {
        failure = Rename(command.rest);
    } else if (command.name == "msg") {
        Message(command.rest);
    } else if (command.name == "exit") {
        flow = Flow::Stop;
    } else {
        failure = Quote(command.name) + " is not a command this interpreter runs";
    }
    if (failure) {
        host_.Transcript(*failure + ".\n");
        failures_.push_back({line.number, text, *failure});
    }
    return flow;
}

ScriptExecutor::Outcome ScriptExecutor::ChangeFolder(const std::string& rest) {
    const fs::path target = fs::path(workingDir_) / Unquoted(rest);
    std::error_code error;
    if (rest.empty() || !fs::is_directory(target, error)) {
        return "the folder " + Quote(Unquoted(rest)) + " cannot be found";
    }
    workingDir_ = target.lexically_normal().string();
    if (workingDir_.size() > 1 && workingDir_.back() == '/') {
        workingDir_.pop_back();
    }
    return std::nullopt;
}

ScriptExecutor::Outcome ScriptExecutor::Start(const std::string& rest) {
    std::string remaining = rest;
    while (!remaining.empty() && remaining.front() == '/') {
        const CommandParts option = SplitCommand(remaining);
        if (option.name != "/b" && option.name != "/min" && option.name != "/wait") {
            return "start has no option " + Quote(option.name);
        }
        remaining = option.rest;
    }
    std::vector<std::string> args = SplitWindowsCommandLine(remaining);
    if (args.empty()) {
        return std::string("start names no program");
    }
    const auto program = FindProgram(args.front(), workingDir_, searchPath_);
    if (!program) {
        return Quote(args.front()) + " was not found in " + Quote(workingDir_) +
               " or on the search path";
    }
    std::vector<std::string> argv = *program;
    argv.insert(argv.end(), args.begin() + 1, args.end());
    const OutputSink toTranscript = [this](std::string_view output) { host_.Transcript(output); };
    const ProgramOutcome outcome =
        RunAndWait(argv, workingDir_, host_.CapturesProgramOutput() ? &toTranscript : nullptr);
    if (!outcome.ok) {
        return Quote(args.front()) + " failed: " + outcome.failure;
    }
    return std::nullopt;
}

ScriptExecutor::Outcome ScriptExecutor::Delete(const std::string& rest) {
    const std::vector<std::string> names = SplitWindowsCommandLine(rest);
    if (names.size() != 1) {
        return std::string("del takes one file name");
    }
    const fs::path target = fs::path(workingDir_) / names[0];
    std::error_code error;
    if (!fs::is_regular_file(target, error)) {
        return "the file " + Quote(names[0]) + " cannot be found";
    }
    if (!fs::remove(target, error)) {
        return Quote(names[0]) + " cannot be deleted: " + error.message();
    }
    return std::nullopt;
}

ScriptExecutor::Outcome ScriptExecutor::Rename(const std::string& rest) {
    const std::vector<std::string> names = SplitWindowsCommandLine(rest);
    if (names.size() != 2) {
        return std::string("ren takes two file names");
    }
    if (names[1].empty() || names[1].find('/') != std::string::npos) {
        return "the new name " + Quote(names[1]) + " must be a file name without a folder";
    }
    const fs::path from = fs::path(workingDir_) / names[0];
    const fs::path to = from.parent_path() / names[1];
    if (const int error = RenameWithoutReplacing(from.string(), to.string()); error != 0) {
        const std::string why = error == EEXIST ? Quote(names[1]) + " already exists"
                                                : std::string(std::strerror(error));
        return Quote(names[0]) + " cannot be renamed: " + why;
    }
    return std::nullopt;
}

void ScriptExecutor::Message(const std::string& rest) {
    const CommandParts parts = SplitCommand(rest);
    if (failures_.empty()) {
        host_.ShowMessage(parts.rest);
        return;
    }
    host_.ShowMessage(FailureSummary());
    failuresShown_ = true;
}

std::string ScriptExecutor::FailureSummary() const {
    const size_t count = failures_.size();
    std::string summary = "Not every file was converted: " + std::to_string(count) +
                          (count == 1 ? " line" : " lines") + " of the conversion script failed.";
    for (size_t i = 0; i < count && i < MostFailuresListed; ++i) {
        const Failure& failure = failures_[i];
        summary += "\nLine " + std::to_string(failure.lineNumber) + " (" + failure.line +
                   "): " + failure.reason + ".";
    }
    if (count > MostFailuresListed) {
        summary += "\nAnd " + std::to_string(count - MostFailuresListed) + " more.";
    }
    return summary;
}

} // namespace vq3::runner
