#include "runner/StopRequest.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace vq3::runner {

namespace {

constexpr int StopSignals[] = {SIGTERM, SIGINT, SIGHUP};

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

StopRequest::~StopRequest() {
    // A late signal must find neither a closed pipe nor a descriptor reused for something else.
    if (signalWriteEnd == WriteFd()) {
        for (const int signal : StopSignals) {
            std::signal(signal, SIG_DFL);
        }
        signalWriteEnd = -1;
    }
}

void StopRequest::TakeOverStopSignals() const {
    signalWriteEnd = WriteFd();
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : StopSignals) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace vq3::runner
