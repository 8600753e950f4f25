#include "runner/ConsoleHost.h"
#include "runner/RunnerWindow.h"
#include "runner/ScriptExecutor.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

bool HasDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && std::strcmp(platform, "offscreen") == 0) {
        return false;
    }
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

// Runs a conversion script where there is no Windows command interpreter.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vq3run SCRIPT\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "vq3run: cannot read '%s': %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    const std::string content{std::istreambuf_iterator<char>(file),
                              std::istreambuf_iterator<char>()};
    const auto lines = vq3::runner::SplitScript(content);
    const char* path = std::getenv("PATH");
    const std::string searchPath = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    const std::string workingDir = std::filesystem::current_path().string();

    const auto run = [&](vq3::runner::RunnerHost& host) {
        return vq3::runner::ScriptExecutor(host, workingDir, searchPath).Run(lines);
    };
    if (HasDisplay()) {
        return vq3::runner::RunInWindow(argc, argv, argv[1], run);
    }
    vq3::runner::ConsoleHost console;
    return run(console);
}
