#include "platform/posix/ConversionLock.h"

#include "platform/Files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace vq3 {

namespace {

std::string LockPath(const std::string& dir) {
    return Utf8Of(FsPath(dir) / ConversionLockName);
}

int LockWithoutWaiting(int fd, int operation) {
    int result;
    while ((result = flock(fd, operation | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return result;
}

} // namespace

std::optional<ConversionLock> ConversionLock::Acquire(const std::string& dir, int* error) {
    const int fd = open(LockPath(dir).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 && LockWithoutWaiting(fd, LOCK_EX) == 0) {
        return ConversionLock(fd);
    }
    if (error != nullptr) {
        // Only a lock another process holds means a conversion runs; any other failure says why.
        *error = fd >= 0 && errno == EWOULDBLOCK ? 0 : errno;
    }
    if (fd >= 0) {
        close(fd);
    }
    return std::nullopt;
}

ConversionLock::ConversionLock(ConversionLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

ConversionLock& ConversionLock::operator=(ConversionLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

ConversionLock::~ConversionLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool ConversionInProgress(const std::string& dir) {
    const int fd = open(LockPath(dir).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // A shared lock is refused only while someone holds the exclusive one; closing the file
    // gives back whatever this took.
    const bool held = LockWithoutWaiting(fd, LOCK_SH) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

} // namespace vq3
