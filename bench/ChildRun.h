#pragma once

#include <string>
#include <vector>

namespace vq3::bench {

struct ChildResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    long peakKiB = 0; // the child's peak resident memory, where it reports it
};

// Runs argv[0] (a path) in workingDir with its standard output sent to /dev/null, waits for
// it and reports its exit status and the peak memory it printed as "peak-kib N".
ChildResult RunChild(const std::vector<std::string>& argv, const std::string& workingDir);

} // namespace vq3::bench
