#pragma once

#include "runner/RunnerHost.h"
#include "runner/ScriptLine.h"

#include <optional>
#include <string>
#include <vector>

namespace vq3::runner {

// Runs the commands a conversion script uses (cd, start, del, ren, msg, exit), one line at a
// time, like the Windows command interpreter, but never announces a success that did not
// happen: failures are collected and shown instead of the script's own message.
class ScriptExecutor {
public:
    ScriptExecutor(RunnerHost& host, std::string workingDir, std::string searchPath);

    // The exit status: 0 when every line succeeded, 1 otherwise.
    int Run(const std::vector<ScriptLine>& lines);

private:
    struct Failure {
        int lineNumber;
        std::string line;
        std::string reason;
    };
    enum class Flow { Continue, Stop };
    using Outcome = std::optional<std::string>; // the reason, when the line failed

    Flow Execute(const ScriptLine& line);
    Outcome ChangeFolder(const std::string& rest);
    Outcome Start(const std::string& rest);
    Outcome Delete(const std::string& rest);
    Outcome Rename(const std::string& rest);
    void Message(const std::string& rest);
    std::string FailureSummary() const;

    RunnerHost& host_;
    std::string workingDir_;
    std::string searchPath_;
    std::vector<Failure> failures_;
    bool failuresShown_ = false;
};

} // namespace vq3::runner
