#include "runner/ChildProcess.h"

#include "runner/Messages.h"
#include "runner/StartProgram.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vq3::runner {

namespace {

// Enough to hold the last line of any program's error output.
constexpr size_t ErrorTailKept = 4096;

// Both ends close when it goes, unless closed before.
struct Pipe {
    Pipe() = default;
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        CloseEnd(0);
        CloseEnd(1);
    }
    bool Open() { return pipe2(ends, O_CLOEXEC) == 0; }
    void CloseEnd(int end) {
        if (ends[end] >= 0) {
            close(ends[end]);
            ends[end] = -1;
        }
    }
    int ends[2] = {-1, -1};
};

// Reads what is there; at the end of the stream (or on an error) stops watching it.
void ReadInto(pollfd& watched, const OutputSink& take) {
    std::array<char, 4096> buffer;
    const ssize_t got = read(watched.fd, buffer.data(), buffer.size());
    if (got > 0) {
        take(std::string_view(buffer.data(), static_cast<size_t>(got)));
    } else if (got == 0 || errno != EINTR) {
        watched.fd = -1;
    }
}

// Hands on the program's output until it has ended, and kills its process group when a stop is
// requested or the program has ended. Its end is watched for itself (exitFd, when there is one),
// not by the end of its output: a child it left behind may hold the pipes open. Returns whether
// it was stopped.
bool WatchUntilEnded(pid_t child, int exitFd, int errors, int output, const StopRequest* stop,
                     const OutputSink& takeErrors, const OutputSink* takeOutput) {
    enum Watched { Exit, Errors, Output, Stop };
    std::array<pollfd, 4> watch{};
    watch[Exit] = {exitFd, POLLIN, 0};
    watch[Errors] = {errors, POLLIN, 0};
    watch[Output] = {output, POLLIN, 0};
    watch[Stop] = {stop != nullptr ? stop->WatchFd() : -1, POLLIN, 0};
    bool stopped = false;
    bool exited = false;
    while (watch[Exit].fd >= 0 || watch[Errors].fd >= 0 || watch[Output].fd >= 0) {
        // Once the program has ended, only what it left in the pipes is still read.
        const int ready = poll(watch.data(), watch.size(), exited ? 0 : -1);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            break;
        }
        if (watch[Stop].revents != 0) {
            kill(-child, SIGKILL);
            stopped = true;
            watch[Stop].fd = -1;
        }
        if (watch[Output].revents != 0) {
            ReadInto(watch[Output], *takeOutput);
        }
        if (watch[Errors].revents != 0) {
            ReadInto(watch[Errors], takeErrors);
        }
        if (watch[Exit].revents != 0) {
            // What the program left running goes with it: it could hold the pipes open, or
            // write into a track after the script has moved on. The group still exists, as the
            // program is not yet collected.
            kill(-child, SIGKILL);
            watch[Exit].fd = -1;
            watch[Stop].fd = -1;
            exited = true;
        }
    }
    return stopped;
}

// The last line with something on it; carriage returns end lines too, as progress displays
// use them.
std::string LastLine(const std::string& text) {
    const size_t end = text.find_last_not_of(" \t\r\n");
    if (end == std::string::npos) {
        return "";
    }
    const size_t start = text.find_last_of("\r\n", end);
    return text.substr(start == std::string::npos ? 0 : start + 1,
                       start == std::string::npos ? end + 1 : end - start);
}

std::string HowItEnded(int status) {
    if (WIFEXITED(status)) {
        return ExitStatusHow(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return KilledBySignalHow(strsignal(WTERMSIG(status)));
    }
    return EndedAbnormallyHow;
}

} // namespace

Result RunAndWait(const std::vector<std::string>& argv, const std::string& workingDir,
                  const OutputSink* onOutput, const StopRequest* stop, ProgramEnd* end) {
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    // A program that never started failed, as far as the script can tell.
    if (end != nullptr) {
        *end = ProgramEnd{1, ""};
    }

    Pipe errors;
    Pipe output;
    if (!errors.Open() || (onOutput != nullptr && !output.Open())) {
        return Result::Failure(NotStartedHow(std::strerror(errno)));
    }
    // What this process has written so far comes before what the program writes straight there.
    if (onOutput == nullptr) {
        std::fflush(stdout);
    }
    const StartedProgram started =
        StartProgram(args.data(), workingDir.c_str(), output.ends[1], errors.ends[1]);
    if (started.error != 0) {
        return Result::Failure(NotStartedHow(std::strerror(started.error)));
    }
    const pid_t child = started.pid;
    // Through syscall(): glibc 2.36 declares pidfd_open() without C linkage.
    const int exitFd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    // While the program's end can be watched, the pipes' writing ends stay open here: the end of
    // the output then wakes nobody, and the program's exit alone says it has ended, once.
    if (exitFd < 0) {
        errors.CloseEnd(1);
        output.CloseEnd(1);
    }

    std::string errorTail;
    const OutputSink takeErrors = [&](std::string_view text) {
        errorTail.append(text);
        if (errorTail.size() > ErrorTailKept) {
            errorTail.erase(0, errorTail.size() - ErrorTailKept);
        }
        if (onOutput != nullptr) {
            (*onOutput)(text);
        } else {
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fflush(stdout);
        }
    };
    const bool stopped =
        WatchUntilEnded(child, exitFd, errors.ends[0], output.ends[0], stop, takeErrors, onOutput);
    if (exitFd >= 0) {
        close(exitFd);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (end != nullptr) {
        end->status = WIFEXITED(status)     ? WEXITSTATUS(status)
                      : WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                            : 1;
        end->lastErrorLine = LastLine(errorTail);
    }
    if (stopped) {
        return Result::Failure(StoppedWithTheConversionHow);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return Result::Success();
    }
    return Result::Failure(WithLastWords(HowItEnded(status), LastLine(errorTail)));
}

} // namespace vq3::runner
