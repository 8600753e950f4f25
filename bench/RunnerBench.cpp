#include "bench/Cases.h"
#include "runner/ChildProcess.h"

#include <cstdlib>
#include <fstream>

namespace vq3::bench {

namespace fs = std::filesystem;

std::vector<Row> RunnerCases(const fs::path& scratch) {
    constexpr int Lines = 2000;
    const fs::path dir = scratch / "runner";
    fs::create_directories(dir);
    fs::copy_file(NOOP_PROGRAM, dir / "noop.exe");
    {
        std::ofstream script(dir / "vq3mc.bat", std::ios::binary);
        std::ofstream shell(dir / "same.sh", std::ios::binary);
        for (int i = 0; i < Lines; ++i) {
            script << "start /b /min /wait noop.exe \"Track " << i << ".wav\"\r\n";
            shell << "./noop.exe \"Track " << i << ".wav\" || exit 1\n";
        }
        script << "exit\r\n";
    }
    // Without a display the runner writes to its standard output instead of opening a window.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    const runner::OutputSink ignore = [](std::string_view) {};
    const auto [runnerMs, baselineMs] = MedianPairMs(
        [&] {
            return runner::RunAndWait({SCRIPT_RUNNER, "vq3mc.bat"}, dir.string(), &ignore).ok;
        },
        [&] {
            return runner::RunAndWait({"/bin/sh", "same.sh"}, dir.string(), &ignore).ok;
        });
    fs::remove_all(dir);
    return {
        {"runner", runnerMs, baselineMs, 1.1, "2,000 start lines; sh running the same commands"}};
}

} // namespace vq3::bench
