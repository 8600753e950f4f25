#include "runner/ChildProcess.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vq3::runner {

namespace {

// Owns the spawn settings so every exit path releases them.
class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

std::string DescribeStatus(int status) {
    if (WIFEXITED(status)) {
        return "it ended with exit status " + std::to_string(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return std::string("it was stopped by signal ") + strsignal(WTERMSIG(status));
    }
    return "it ended abnormally";
}

void ReadAll(int from, const OutputSink& onOutput) {
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t got = read(from, buffer.data(), buffer.size());
        if (got > 0) {
            onOutput(std::string_view(buffer.data(), static_cast<size_t>(got)));
        } else if (got == 0 || errno != EINTR) {
            return;
        }
    }
}

} // namespace

ProgramOutcome RunAndWait(const std::vector<std::string>& argv, const std::string& workingDir,
                          const OutputSink* onOutput) {
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);

    // A pipe only when the output is wanted: reading it costs a wake-up per program.
    int pipeEnds[2] = {-1, -1};
    if (onOutput != nullptr && pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return {false, std::strerror(errno)};
    }
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (onOutput != nullptr) {
        posix_spawn_file_actions_adddup2(actions.get(), pipeEnds[1], STDOUT_FILENO);
    }
    posix_spawn_file_actions_adddup2(actions.get(), STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(actions.get(), workingDir.c_str());

    pid_t child = 0;
    const int spawnError =
        posix_spawn(&child, args[0], actions.get(), nullptr, args.data(), environ);
    if (onOutput != nullptr) {
        close(pipeEnds[1]);
        if (spawnError == 0) {
            ReadAll(pipeEnds[0], *onOutput);
        }
        close(pipeEnds[0]);
    }
    if (spawnError != 0) {
        return {false, "it could not be started: " + std::string(std::strerror(spawnError))};
    }

    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return {true, ""};
    }
    return {false, DescribeStatus(status)};
}

} // namespace vq3::runner
