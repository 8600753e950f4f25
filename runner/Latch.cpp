#include "runner/Latch.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <system_error>
#include <unistd.h>

namespace vq3::runner {

Latch::Latch() {
    int ends[2] = {-1, -1};
    // Non-blocking, so a burst of signals can never block their handler on a full pipe.
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::system_error(errno, std::generic_category(), "latch");
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
}

Latch::~Latch() {
    close(readEnd_);
    close(writeEnd_);
}

void Latch::Set() const {
    [[maybe_unused]] const ssize_t ignored = write(writeEnd_, "s", 1);
}

bool Latch::IsSet() const {
    pollfd watch{readEnd_, POLLIN, 0};
    return poll(&watch, 1, 0) == 1;
}

const Latch& WaitForEither(const Latch& first, const Latch& second) {
    pollfd watch[2] = {{first.WatchFd(), POLLIN, 0}, {second.WatchFd(), POLLIN, 0}};
    while (poll(watch, 2, -1) < 0 && errno == EINTR) {
    }
    return watch[0].revents != 0 ? first : second;
}

} // namespace vq3::runner
