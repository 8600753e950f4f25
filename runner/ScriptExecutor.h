#pragma once

#include "conversion/ScriptNames.h"
#include "platform/Result.h"
#include "runner/RunAccount.h"
#include "runner/RunnerHost.h"
#include "runner/ScriptSyntax.h"
#include "runner/StopRequest.h"
#include "runner/WrittenFiles.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vq3::runner {

// Runs the commands a conversion script uses (cd, start, del, ren, msg, exit, and the flow
// around them: if errorlevel / exist / defined, goto and labels, set, title, echo, pause), one
// line at a time, like the Windows command interpreter. What the user is told comes from the
// script (its titles, its messages, its record of each failed track) with what only the runner
// sees added (a program's last words); a failure the script does not look at is told by the
// runner instead, so a failed line is never followed by a success message. A failed program's
// new files go at once, so its half output never becomes a finished one.
//
// A stop request ends the running program, removes what the current track wrote so far, and
// runs no further line.
class ScriptExecutor {
public:
    ScriptExecutor(RunnerHost& host, std::string workingDir, std::string searchPath,
                   const StopRequest& stop);

    // The exit status: 0 when every track converted and the script did not exit with a status
    // of its own, 1 otherwise or when stopped.
    int Run(const std::vector<ScriptLine>& lines);

private:
    using Handler = Result (ScriptExecutor::*)(const std::string& rest);
    static const std::map<std::string, Handler, std::less<>>& Handlers();

    void Execute(const ScriptLine& line);
    void Dispatch(const CommandParts& command);
    void LineFailed(const std::string& reason);

    Result If(const std::string& rest);
    Result GoTo(const std::string& rest);
    Result ChangeFolder(const std::string& rest);
    Result Start(const std::string& rest);
    Result RunProgram(const std::vector<std::string>& args);
    Result Delete(const std::string& rest);
    Result Rename(const std::string& rest);
    Result Set(const std::string& rest);
    Result Title(const std::string& rest);
    Result Echo(const std::string& rest);
    Result Pause(const std::string& rest);
    Result Message(const std::string& rest);
    Result Exit(const std::string& rest);

    std::optional<std::string> Variable(std::string_view name) const;
    std::string PathOf(const std::string& name) const;
    RunOutcome Outcome(bool stopped) const;
    // Hands the outcome to the host when it has changed.
    void Tell(const RunOutcome& outcome);

    RunnerHost& host_;
    std::string workingDir_;
    std::string searchPath_;
    const StopRequest& stop_;
    WrittenFiles written_;
    RunAccount account_;
    // Where each label stands (the line's index), in file order, and the next line to run.
    std::map<std::string, std::vector<size_t>> labels_;
    size_t next_ = 0;
    bool ended_ = false;
    std::map<std::string, std::string> variables_; // by lower-case name
    // Where each program was found, by folder and name.
    std::map<std::pair<std::string, std::string>, std::optional<std::vector<std::string>>>
        programs_;
    int errorLevel_ = 0;
    bool echo_ = true;
    int exitStatus_ = 0;
    std::string added_; // what the runner saw of the failure the current line reports
    std::optional<RunOutcome> told_;
    std::optional<RunOutcome> messageTold_; // the outcome the last message went with
};

} // namespace vq3::runner
