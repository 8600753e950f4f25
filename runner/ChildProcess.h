#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vq3::runner {

// How a program run ended: ok only for exit status 0; otherwise the reason in words.
struct ProgramOutcome {
    bool ok = false;
    std::string failure;
};

using OutputSink = std::function<void(std::string_view)>;

// Runs argv[0] (a path) with argv in workingDir and waits for it. Its standard output and
// error go, together and as they come, to onOutput, or without one straight to this
// process's standard output; its standard input is empty.
ProgramOutcome RunAndWait(const std::vector<std::string>& argv, const std::string& workingDir,
                          const OutputSink* onOutput);

} // namespace vq3::runner
