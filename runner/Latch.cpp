#include "runner/Latch.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace vq3::runner {

Latch::Latch() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (fd_ < 0) {
        throw std::system_error(errno, std::generic_category(), "latch");
    }
}

Latch::~Latch() {
    close(fd_);
}

// Non-blocking, and never read: a burst of signals only adds to the count.
void Latch::Set() const {
    set_.store(true);
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = write(fd_, &one, sizeof one);
}

const Latch& WaitForEither(const Latch& first, const Latch& second) {
    pollfd watch[2] = {{first.WatchFd(), POLLIN, 0}, {second.WatchFd(), POLLIN, 0}};
    while (poll(watch, 2, -1) < 0 && errno == EINTR) {
    }
    return watch[0].revents != 0 ? first : second;
}

} // namespace vq3::runner
