#include "bench/Cases.h"
#include "bench/ChildRun.h"

#include <fstream>
#include <string>

namespace vq3::bench {

namespace fs = std::filesystem;

std::vector<Row> StartupCases(const fs::path& scratch) {
    long toolPeak = 0;
    long emptyPeak = 0;
    const double tool = MedianMs([&] {
        const ChildResult result = RunChild({STARTUP_PROBE}, scratch.string());
        toolPeak = result.peakKiB;
        return result.status == 0;
    });
    const double empty = MedianMs([&] {
        const ChildResult result = RunChild({EMPTY_WINDOW}, scratch.string());
        emptyPeak = result.peakKiB;
        return result.status == 0;
    });

    const fs::path dir = scratch / "listed";
    fs::create_directories(dir);
    for (int i = 0; i < MaxEntries; ++i) {
        std::ofstream(dir / ("Track " + std::to_string(i) + ".mp3")) << "x";
    }
    // The probe exits non-zero unless every file was listed.
    const ChildResult listed = RunChild({STARTUP_PROBE, dir.string()}, scratch.string());
    fs::remove_all(dir);
    if (listed.status != 0) {
        throw std::runtime_error("the probe did not list every file");
    }

    const auto mib = [](long kib) { return kib / 1024.0; };
    return {{"start-up", tool, empty, 1.25, "to the window shown; a minimal Qt Widgets window"},
            {"start-up memory (MiB)", mib(toolPeak), mib(emptyPeak), 1.2, "peak resident memory"},
            {"memory, 32,767 listed (MiB)", mib(listed.peakKiB), 0, 0, "peak resident memory"}};
}

} // namespace vq3::bench
