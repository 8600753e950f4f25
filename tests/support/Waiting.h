#pragma once

#include <thread>

namespace vq3::test {

// For work in another process that the test may not wait on directly: polls the condition
// until it holds or the time is up.
template <typename Condition> bool WaitUntil(Condition condition, std::chrono::seconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!condition() && std::chrono::steady_clock::now() <= until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return condition();
}

} // namespace vq3::test
