#include "bench/ChildRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vq3::bench {

ChildResult RunChild(const std::vector<std::string>& argv, const std::string& workingDir) {
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int errors[2];
    if (pipe2(errors, O_CLOEXEC) != 0) {
        return {};
    }
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
    posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    pid_t child = 0;
    const int error = posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(errors[1]);
    ChildResult result;
    std::string said;
    char buffer[4096];
    ssize_t got;
    while ((got = read(errors[0], buffer, sizeof buffer)) > 0) {
        said.append(buffer, static_cast<size_t>(got));
    }
    close(errors[0]);
    if (error != 0) {
        return result;
    }
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (const size_t at = said.find("peak-kib "); at != std::string::npos) {
        result.peakKiB = std::stol(said.substr(at + 9));
    }
    return result;
}

} // namespace vq3::bench
