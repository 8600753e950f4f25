#pragma once

#include <cstdio>
#include <fstream>
#include <string>

namespace vq3::bench {

// Reports this process's peak resident memory (VmHWM, in KiB) on standard error. Measured from
// inside, because a spawned child's own rusage also counts its parent's memory before exec.
inline void ReportPeakMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            std::fprintf(stderr, "peak-kib %ld\n", std::stol(line.substr(6)));
        }
    }
}

} // namespace vq3::bench
