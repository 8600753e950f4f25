#include "runner/StopRequest.h"

#include <atomic>
#include <cerrno>
#include <csignal>

namespace vq3::runner {

namespace {

std::atomic<const StopRequest*> signalled{nullptr};
static_assert(std::atomic<const StopRequest*>::is_always_lock_free);

// Only a store and a write, which are safe in a signal handler; the waiting side does the rest.
extern "C" void OnStopSignal(int) {
    const int savedErrno = errno;
    if (const StopRequest* stop = signalled.load()) {
        stop->Request();
    }
    errno = savedErrno;
}

} // namespace

StopRequest::~StopRequest() {
    // A late signal must find neither a closed eventfd nor a request that is gone.
    if (signalled.load() == this) {
        for (const int signal : StopSignals) {
            std::signal(signal, SIG_DFL);
        }
        signalled.store(nullptr);
    }
}

void StopRequest::TakeOverStopSignals() const {
    signalled.store(this);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : StopSignals) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace vq3::runner
