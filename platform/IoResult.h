#pragma once

#include <string>
#include <utility>

namespace vq3 {

// The outcome of writing a file or starting a process: on failure, the system's reason in words.
struct IoResult {
    bool ok = true;
    std::string reason;

    static IoResult Success() { return {}; }
    static IoResult Failure(std::string why) { return {false, std::move(why)}; }
};

} // namespace vq3
