#pragma once

#include <atomic>

namespace vq3::runner {

// A one-way switch another thread, or a signal handler, can throw, and that poll() can wait for.
// Once set it stays set.
class Latch {
public:
    Latch();
    ~Latch();
    Latch(const Latch&) = delete;
    Latch& operator=(const Latch&) = delete;

    // Safe in a signal handler: a lock-free store and one write to an eventfd.
    void Set() const;
    // Without a system call: the script's every line asks.
    bool IsSet() const { return set_.load(); }
    // Readable once set.
    int WatchFd() const { return fd_; }

private:
    int fd_ = -1;
    mutable std::atomic<bool> set_{false};
    static_assert(std::atomic<bool>::is_always_lock_free);
};

// Waits until one of the latches is set; returns the first of them that is.
const Latch& WaitForEither(const Latch& first, const Latch& second);

} // namespace vq3::runner
