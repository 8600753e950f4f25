#include "platform/ConversionLock.h"

#include "platform/Files.h"

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

std::string LockPath(const std::string& folder) {
    return Utf8Of(FsPath(folder) / ConversionLockName);
}

int LockWithoutWaiting(int fd) {
    int result;
    while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return result;
}

bool IsRegularFile(int fd, struct stat& info) {
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::optional<ConversionLock> ConversionLock::Take(const std::string& folder, std::string& whyNot) {
    // Opened without waiting: a pipe in its place would otherwise hold the tool up for good.
    const int fd = open(LockPath(folder).c_str(),
                        O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        whyNot = WhyNotWritable(errno);
        return std::nullopt;
    }
    ConversionLock lock(fd);
    struct stat info {};
    if (!IsRegularFile(fd, info)) {
        whyNot = NotAFileReason;
    } else if (LockWithoutWaiting(fd) != 0) {
        // Only a lock another process holds means a conversion runs; any other failure says why.
        whyNot = errno == EWOULDBLOCK ? "" : std::strerror(errno);
    } else {
        return lock;
    }
    return std::nullopt;
}

std::optional<ConversionLock> ConversionLock::Adopt(int fd, const std::string& folder,
                                                    std::string& whyNot) {
    struct stat handed {};
    struct stat named {};
    // Locking again through the descriptor that holds the lock succeeds at once; through any other
    // it fails while the holder lives.
    if (!IsRegularFile(fd, handed) || lstat(LockPath(folder).c_str(), &named) != 0 ||
        handed.st_dev != named.st_dev || handed.st_ino != named.st_ino ||
        LockWithoutWaiting(fd) != 0) {
        whyNot = "the descriptor handed over does not hold its lock";
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
