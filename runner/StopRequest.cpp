#include "runner/StopRequest.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <system_error>
#include <unistd.h>

namespace vq3::runner {

namespace {

volatile std::sig_atomic_t signalWriteEnd = -1;

// Only a write, which is safe in a signal handler; the waiting side does the rest.
extern "C" void OnStopSignal(int) {
    const int savedErrno = errno;
    if (signalWriteEnd >= 0) {
        [[maybe_unused]] const ssize_t ignored = write(signalWriteEnd, "s", 1);
    }
    errno = savedErrno;
}

} // namespace

StopRequest::StopRequest() {
    int ends[2] = {-1, -1};
    // Non-blocking, so a burst of signals can never block the handler: a full pipe is made.
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::system_error(errno, std::generic_category(), "stop request");
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
}

StopRequest::~StopRequest() {
    // A late signal must find neither a closed pipe nor a descriptor reused for something else.
    if (signalWriteEnd == writeEnd_) {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            std::signal(signal, SIG_DFL);
        }
        signalWriteEnd = -1;
    }
    close(readEnd_);
    close(writeEnd_);
}

void StopRequest::TakeOverStopSignals() const {
    signalWriteEnd = writeEnd_;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

void StopRequest::Request() const {
    [[maybe_unused]] const ssize_t ignored = write(writeEnd_, "s", 1);
}

bool StopRequest::Requested() const {
    pollfd watch{readEnd_, POLLIN, 0};
    return poll(&watch, 1, 0) == 1;
}

} // namespace vq3::runner
