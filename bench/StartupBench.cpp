#include "bench/Cases.h"
#include "bench/ChildRun.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace vq3::bench {

namespace fs = std::filesystem;

std::vector<Row> StartupCases(const fs::path& scratch) {
    std::vector<double> toolPeaks;
    std::vector<double> emptyPeaks;
    const auto started = [&](const char* program, std::vector<double>& peaks) {
        const ChildResult result = RunChild({program}, scratch.string());
        peaks.push_back(result.peakKiB / 1024.0);
        return result.status == 0 && result.peakKiB > 0;
    };
    const auto [toolMs, emptyMs] = MedianPairMs([&] { return started(STARTUP_PROBE, toolPeaks); },
                                                [&] { return started(EMPTY_WINDOW, emptyPeaks); });

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

    return {{"start-up", toolMs, emptyMs, 1.25, "to the window shown; a minimal Qt Widgets window"},
            {"start-up memory (MiB)", Median(toolPeaks), Median(emptyPeaks), 1.2,
             "peak resident memory"},
            {"memory, 32,767 listed (MiB)", listed.peakKiB / 1024.0, 0, 0, "peak resident memory"}};
}

} // namespace vq3::bench
