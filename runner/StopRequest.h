#pragma once

#include "runner/Latch.h"

#include <array>
#include <csignal>

namespace vq3::runner {

// The signals that ask for a stop; while taken over, a program started must not inherit their
// handler.
inline constexpr std::array<int, 3> StopSignals = {SIGTERM, SIGINT, SIGHUP};

// The user's request to stop the conversion: from the window, or by SIGTERM, SIGINT or SIGHUP.
// Once made it stays made, and a wait on a program can watch for it with poll().
class StopRequest : public Latch {
public:
    StopRequest() = default;
    ~StopRequest();

    // From now on SIGTERM, SIGINT and SIGHUP make this request instead of ending the process.
    // For one request per process.
    void TakeOverStopSignals() const;

    void Request() const { Set(); }
    bool Requested() const { return IsSet(); }
};

} // namespace vq3::runner
