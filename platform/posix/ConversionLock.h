#pragma once

#include <optional>
#include <string>

namespace vq3 {

// The file in a conversion's folder that the running conversion holds locked. It stays when the
// conversion ends: removing a file that another process may be locking at that moment would let
// two conversions lock two different files.
constexpr const char* ConversionLockName = "vq3mc.lock";

// An exclusive lock (flock) on the folder's lock file, held while this object lives. The kernel
// lets go of it when the holder ends, however it ends, and programs the holder starts do not
// inherit it.
class ConversionLock {
public:
    // Nothing while another process holds the lock (error set to 0), or when the lock file cannot
    // be made or locked (error set to the system's error number: ELOOP for a link, which is never
    // followed).
    static std::optional<ConversionLock> Acquire(const std::string& dir, int* error = nullptr);

    ConversionLock(ConversionLock&& other) noexcept;
    ConversionLock& operator=(ConversionLock&& other) noexcept;
    ConversionLock(const ConversionLock&) = delete;
    ConversionLock& operator=(const ConversionLock&) = delete;
    ~ConversionLock();

private:
    explicit ConversionLock(int fd) : fd_(fd) {}

    int fd_ = -1;
};

// True only while a conversion holds the folder's lock. Makes no file, and holds no lock
// once it returns; for the instant it tests, a conversion starting in this folder is turned away
// as though one were running.
bool ConversionInProgress(const std::string& dir);

} // namespace vq3
