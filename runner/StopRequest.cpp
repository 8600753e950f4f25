#include "runner/StopRequest.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <unistd.h>

namespace vq3::runner {

namespace {

constexpr int StopSignals[] = {SIGTERM, SIGINT, SIGHUP};

volatile std::sig_atomic_t signalWriteEnd = -1;

// Only a write, which is safe in a signal handler; the waiting side does the rest.
extern "C" void OnStopSignal(int) {
    const int savedErrno = errno;
    if (signalWriteEnd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t ignored = write(signalWriteEnd, &one, sizeof one);
    }
    errno = savedErrno;
}

} // namespace

StopRequest::~StopRequest() {
    // A late signal must find neither a closed eventfd nor a descriptor reused for something else.
    if (signalWriteEnd == WatchFd()) {
        for (const int signal : StopSignals) {
            std::signal(signal, SIG_DFL);
        }
        signalWriteEnd = -1;
    }
}

void StopRequest::TakeOverStopSignals() const {
    signalWriteEnd = WatchFd();
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : StopSignals) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace vq3::runner
