#pragma once

#include <string>
#include <utility>

namespace vq3 {

// The outcome of anything that can fail (writing a file, starting or running a program): on
// failure, the reason in words.
struct Result {
    bool ok = true;
    std::string reason;

    static Result Success() { return {}; }
    static Result Failure(std::string why) { return {false, std::move(why)}; }
};

} // namespace vq3
