#pragma once

namespace vq3::runner {

// The user's request to stop the conversion: from the window, or by SIGTERM, SIGINT or SIGHUP.
// Once made it stays made. A pipe carries it, so that a signal handler can make it safely and a
// wait on a program can watch for it with poll().
class StopRequest {
public:
    StopRequest();
    ~StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    // From now on SIGTERM, SIGINT and SIGHUP make this request instead of ending the process.
    // For one request per process.
    void TakeOverStopSignals() const;

    void Request() const;
    bool Requested() const;
    // Readable once the request is made.
    int WatchFd() const { return readEnd_; }

private:
    int readEnd_ = -1;
    int writeEnd_ = -1;
};

} // namespace vq3::runner
