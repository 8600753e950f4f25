#include "runner/StartProgram.h"

#include "runner/StopRequest.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vq3::runner {

namespace {

// Closes every descriptor from `first` on, in the child: at once where the kernel can (Linux 5.9
// on), else each that /proc lists, read with system calls alone into a buffer on the stack.
bool CloseAllFrom(int first) {
    if (close_range(static_cast<unsigned>(first), ~0U, 0) == 0) {
        return true;
    }
    const int listing = open("/proc/self/fd", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) {
        return false;
    }
    alignas(dirent64) char buffer[4096];
    // Closing may move the listing's entries: it is read again until a pass closes nothing.
    for (bool closedAny = true; closedAny;) {
        closedAny = false;
        lseek(listing, 0, SEEK_SET);
        for (ssize_t got; (got = getdents64(listing, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
                int fd = 0;
                for (const char* digit = entry->d_name; *digit >= '0' && *digit <= '9'; ++digit) {
                    fd = fd * 10 + (*digit - '0');
                }
                if (fd >= first && fd != listing) {
                    close(fd);
                    closedAny = true;
                }
                at += entry->d_reclen;
            }
        }
    }
    close(listing);
    return true;
}

// Makes `from` the child's descriptor `to`. dup2 does nothing when they are the same, which would
// leave it closed at execve.
bool PlaceAt(int from, int to) {
    return from == to ? fcntl(to, F_SETFD, 0) == 0 : dup2(from, to) == to;
}

} // namespace

// vfork rather than posix_spawn: glibc's child looks at and resets the handler of every signal,
// some 120 system calls per program, and maps a stack of its own; for a script of thousands of
// short programs that was a third of the runner's own time. The child borrows this process's
// memory and stack until execve, so it makes system calls only and reports a failure through
// `childError`.
StartedProgram StartProgram(char* const* args, const char* workingDir, int outputFd, int errorsFd) {
    sigset_t all;
    sigset_t before;
    sigfillset(&all);
    // No handler of this process may run in the child. Its own group is reached only by the
    // runner's SIGKILL, so the stop handlers are the only ones it must drop before execve.
    pthread_sigmask(SIG_SETMASK, &all, &before);
    volatile int childError = 0;
    const pid_t pid = vfork();
    if (pid == 0) {
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        for (const int signal : StopSignals) {
            sigaction(signal, &byDefault, nullptr);
        }
        // The runner's own input may be closed already; the lowest free descriptor is then 0 all
        // the same.
        close(STDIN_FILENO);
        const bool placed =
            setpgid(0, 0) == 0 && (outputFd < 0 || PlaceAt(outputFd, STDOUT_FILENO)) &&
            PlaceAt(errorsFd, STDERR_FILENO) && open("/dev/null", O_RDONLY) == STDIN_FILENO &&
            CloseAllFrom(STDERR_FILENO + 1) && chdir(workingDir) == 0;
        if (placed) {
            sigprocmask(SIG_SETMASK, &before, nullptr);
            execve(args[0], args, environ);
        }
        childError = errno;
        _exit(127);
    }
    const int startError = pid < 0 ? errno : childError;
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (pid > 0 && startError != 0) {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    return startError != 0 ? StartedProgram{-1, startError} : StartedProgram{pid, 0};
}

} // namespace vq3::runner
