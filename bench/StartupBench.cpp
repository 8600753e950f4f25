#include "bench/Cases.h"
#include "runner/ChildProcess.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace vq3::bench {

namespace fs = std::filesystem;

namespace {

// Runs the program and returns the peak memory it reported as "peak-kib N"; 0 when it failed.
long PeakKiBOf(const std::vector<std::string>& argv, const fs::path& workingDir) {
    std::string said;
    const runner::OutputSink collect = [&](std::string_view text) { said += text; };
    if (!runner::RunAndWait(argv, workingDir.string(), &collect).ok) {
        return 0;
    }
    const size_t at = said.find("peak-kib ");
    return at == std::string::npos ? 0 : std::stol(said.substr(at + 9));
}

} // namespace

std::vector<Row> StartupCases(const fs::path& scratch) {
    std::vector<double> toolPeaks;
    std::vector<double> emptyPeaks;
    const auto started = [&](const char* program, std::vector<double>& peaks) {
        const long peakKiB = PeakKiBOf({program}, scratch);
        peaks.push_back(peakKiB / 1024.0);
        return peakKiB > 0;
    };
    const auto [toolMs, emptyMs, ratio] =
        MedianPairMs([&] { return started(STARTUP_PROBE, toolPeaks); },
                     [&] { return started(EMPTY_WINDOW, emptyPeaks); });

    const fs::path dir = scratch / "listed";
    fs::create_directories(dir);
    for (int i = 0; i < MaxEntries; ++i) {
        std::ofstream(dir / ("Track " + std::to_string(i) + ".mp3")) << "x";
    }
    // The probe exits non-zero unless every file was listed.
    const long listedPeakKiB = PeakKiBOf({STARTUP_PROBE, dir.string()}, scratch);
    fs::remove_all(dir);
    if (listedPeakKiB == 0) {
        throw std::runtime_error("the probe did not list every file");
    }

    return {{"start-up", toolMs, emptyMs, 1.25, "to the window shown; a minimal Qt Widgets window",
             ratio},
            {"start-up memory (MiB)", Median(toolPeaks), Median(emptyPeaks), 1.2,
             "peak resident memory"},
            {"memory, 32,767 listed (MiB)", listedPeakKiB / 1024.0, 0, 0, "peak resident memory"}};
}

} // namespace vq3::bench
