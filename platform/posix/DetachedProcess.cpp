#include "platform/posix/DetachedProcess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vq3 {

namespace {

enum class Stage : int { ChangeFolder = 1, Execute = 2 };

struct ChildError {
    Stage stage;
    int error;
};

[[noreturn]] void ReportAndExit(int pipeOut, Stage stage) {
    const ChildError report{stage, errno};
    [[maybe_unused]] const auto ignored = write(pipeOut, &report, sizeof report);
    _exit(127);
}

// Runs in the forked child, where only async-signal-safe calls are allowed.
[[noreturn]] void RunGrandchild(int pipeOut, const char* program, char* const* argv,
                                const char* workingDir, int handed) {
    setsid();
    const pid_t grandchild = fork();
    if (grandchild != 0) {
        _exit(grandchild < 0 ? 127 : 0);
    }
    if (chdir(workingDir) != 0) {
        ReportAndExit(pipeOut, Stage::ChangeFolder);
    }
    // Nothing the tool has open reaches the program but what it is handed: each other file
    // closes as it starts.
    close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC);
    if (handed >= 0 && fcntl(handed, F_SETFD, 0) != 0) {
        ReportAndExit(pipeOut, Stage::Execute);
    }
    execv(program, argv);
    ReportAndExit(pipeOut, Stage::Execute);
}

} // namespace

Result StartDetached(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingDir, int handed) {
    std::vector<std::string> argvText{program};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : argvText) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return Result::Failure(std::strerror(errno));
    }
    const pid_t child = fork();
    if (child < 0) {
        const int error = errno;
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return Result::Failure(std::strerror(error));
    }
    if (child == 0) {
        close(pipeEnds[0]);
        RunGrandchild(pipeEnds[1], program.c_str(), argv.data(), workingDir.c_str(), handed);
    }
    close(pipeEnds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }

    // The pipe closes on a successful exec; otherwise the grandchild tells what failed.
    ChildError report{};
    ssize_t got;
    while ((got = read(pipeEnds[0], &report, sizeof report)) < 0 && errno == EINTR) {
    }
    close(pipeEnds[0]);
    if (got == static_cast<ssize_t>(sizeof report)) {
        const std::string what = report.stage == Stage::ChangeFolder
                                     ? "cannot change to the folder '" + workingDir + "'"
                                     : "cannot run '" + program + "'";
        return Result::Failure(what + ": " + std::strerror(report.error));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return Result::Failure("cannot start a new process");
    }
    return Result::Success();
}

} // namespace vq3
