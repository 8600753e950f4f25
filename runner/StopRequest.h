#pragma once

#include "runner/Latch.h"

namespace vq3::runner {

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
