#include "runner/RunnerHost.h"

#include "runner/Messages.h"

#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace vq3::runner {

ConsoleHost::ConsoleHost() : capturesProgramOutput_(isatty(STDOUT_FILENO) == 0) {}

// Buffered: a program writing straight to standard output is started only after a flush.
void ConsoleHost::Transcript(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void ConsoleHost::ShowMessage(const std::string& text) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

void ConsoleHost::Outcome(const RunOutcome& outcome) {
    ShowMessage(OutcomeText(outcome) + ".");
}

void ConsoleHost::Pause(const StopRequest& stop) {
    if (!isatty(STDIN_FILENO)) {
        return;
    }
    // The user reads why the script waits before pressing a key.
    std::fflush(stdout);
    pollfd watch[2] = {{STDIN_FILENO, POLLIN, 0}, {stop.WatchFd(), POLLIN, 0}};
    while (poll(watch, 2, -1) < 0 && errno == EINTR) {
    }
    if (watch[0].revents != 0) {
        char key = 0;
        [[maybe_unused]] const ssize_t ignored = read(STDIN_FILENO, &key, 1);
    }
}

} // namespace vq3::runner
