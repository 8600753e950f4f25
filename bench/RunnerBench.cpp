#include "bench/Cases.h"
#include "conversion/Script.h"
#include "platform/Files.h"
#include "runner/ChildProcess.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace vq3::bench {

namespace fs = std::filesystem;

// The conversion script of 2,000 WAV tracks, every line the runner has to read around each
// program (title, status tests, checks, rename), against sh starting the same programs.
std::vector<Row> RunnerCases(const fs::path& scratch) {
    constexpr int Tracks = 2000;
    const fs::path dir = scratch / "runner";
    fs::create_directories(dir);
    fs::copy_file(NOOP_PROGRAM, dir / "enc.exe");
    std::vector<std::string> entries;
    {
        std::ofstream shell(dir / "same.sh", std::ios::binary);
        for (int i = 0; i < Tracks; ++i) {
            const std::string track = "Track " + std::to_string(i);
            entries.push_back((dir / (track + ".wav")).string());
            shell << "./enc.exe \"" << track << ".wav\" \"" << track << ".aifr\" 1024 || exit 1\n";
        }
    }
    if (!WriteTextLines((dir / "vq3mc.bat").string(),
                        BuildConversionScript(entries, dir.string(), 1024))
             .ok) {
        throw std::runtime_error("the runner's script could not be written");
    }
    // Each run starts from a folder without the last run's output, and with the disk done writing
    // what the last run changed: its writing back would land in the next run's time.
    const Prepare clear = [&] {
        for (const auto& entry : fs::directory_iterator(dir)) {
            const auto extension = entry.path().extension();
            if (extension == ".fda" || extension == ".aifr") {
                fs::remove(entry.path());
            }
        }
        sync();
    };
    // Without a display the runner writes to its standard output instead of opening a window.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    const runner::OutputSink ignore = [](std::string_view) {};
    const auto last = [&](const char* extension) {
        return fs::exists(dir / ("Track " + std::to_string(Tracks - 1) + extension));
    };
    const auto [runnerMs, baselineMs, ratio] = MedianPairMs(
        [&] {
            return runner::RunAndWait({SCRIPT_RUNNER, "vq3mc.bat"}, dir.string(), &ignore).ok &&
                   last(".fda");
        },
        [&] {
            return runner::RunAndWait({"/bin/sh", "same.sh"}, dir.string(), &ignore).ok &&
                   last(".aifr");
        },
        clear, clear);
    fs::remove_all(dir);
    return {{"runner", runnerMs, baselineMs, 1.15,
             "2,000 tracks' script; sh starting the same 2,000 programs", ratio}};
}

} // namespace vq3::bench
