#include "platform/ConversionLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vq3 {

namespace {

constexpr int NoHandle = -1;

int LockWithoutWaiting(int fd) {
    int result;
    while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return result;
}

bool SameFolder(int fd, const std::string& folder) {
    struct stat held {};
    struct stat named {};
    return fstat(fd, &held) == 0 && S_ISDIR(held.st_mode) && stat(folder.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

std::string ConversionLock::LockedPath(const std::string& folder) {
    return folder;
}

// The folder itself is locked, not a file in it: a file could be deleted while a run holds it,
// and the next conversion would then lock a new one of the same name. A folder cannot go while
// it is open, and opening one never waits, whatever lies in it.
std::optional<ConversionLock> ConversionLock::Take(const std::string& folder, std::string& whyNot) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        whyNot = std::strerror(errno);
        return std::nullopt;
    }
    ConversionLock lock(fd);
    if (LockWithoutWaiting(fd) != 0) {
        // Only a lock another process holds means a conversion runs; any other failure says why.
        whyNot = errno == EWOULDBLOCK ? "" : std::strerror(errno);
        return std::nullopt;
    }
    return lock;
}

std::optional<ConversionLock> ConversionLock::Adopt(int fd, const std::string& folder,
                                                    std::string& whyNot) {
    // Locking again through the descriptor that holds the lock succeeds at once; through any other
    // it fails while the holder lives.
    if (!SameFolder(fd, folder) || LockWithoutWaiting(fd) != 0) {
        whyNot = HandedLockNotThisFoldersReason;
        return std::nullopt;
    }
    // The programs the run starts must not hold the folder after it.
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    return ConversionLock(fd);
}

ConversionLock::ConversionLock(ConversionLock&& other) noexcept
    : handle_(std::exchange(other.handle_, NoHandle)) {}

ConversionLock& ConversionLock::operator=(ConversionLock&& other) noexcept {
    if (this != &other) {
        if (handle_ != NoHandle) {
            close(handle_);
        }
        handle_ = std::exchange(other.handle_, NoHandle);
    }
    return *this;
}

ConversionLock::~ConversionLock() {
    if (handle_ != NoHandle) {
        close(handle_);
    }
}

} // namespace vq3
