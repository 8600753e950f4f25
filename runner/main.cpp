#include "platform/AppInfo.h"
#include "platform/ConversionLock.h"
#include "platform/posix/ProgramLookup.h"
#include "runner/Messages.h"
#include "runner/RunnerWindow.h"
#include "runner/ScriptExecutor.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

namespace {

using namespace vq3::runner;

bool HasDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

int RunScript(RunnerHost& host, const std::string& scriptPath, const std::string& workingDir,
              const StopRequest& stop) {
    std::ifstream file(scriptPath, std::ios::binary);
    if (!file) {
        host.ShowMessage(ScriptUnreadableMessage(scriptPath, std::strerror(errno)));
        return 1;
    }
    const std::string content{std::istreambuf_iterator<char>(file),
                              std::istreambuf_iterator<char>()};
    return ScriptExecutor(host, workingDir, vq3::SystemSearchPath(), stop)
        .Run(SplitScript(content));
}

} // namespace

// Runs a conversion script where there is no Windows command interpreter.
int main(int argc, char** argv) {
    // The tool hands over the folder's lock it took, as an open descriptor named first; any other
    // first word of three leaves three words, which the usage refuses.
    const std::string_view handOver = vq3::LockHandOverOption;
    std::optional<int> handedLock;
    if (argc == 3 && std::string_view(argv[1]).starts_with(handOver)) {
        const std::string_view number = std::string_view(argv[1]).substr(handOver.size());
        int fd = -1;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), fd);
        if (error == std::errc() && end == number.data() + number.size() && fd >= 0) {
            handedLock = fd;
            ++argv;
            --argc;
        }
    }
    if (argc != 2) {
        std::fprintf(stderr, "%s\n", UsageMessage);
        return 2;
    }
    const std::string scriptPath = argv[1];
    const std::string workingDir = std::filesystem::current_path().string();
    // The folder the script converts in is the one that holds it, wherever the runner starts.
    const std::string folder = std::filesystem::absolute(scriptPath).parent_path().string();
    StopRequest stop;
    stop.TakeOverStopSignals();
    // Held from the start until the script has run, so that from the moment the tool has
    // started this run, a second conversion in the folder is turned away; and no longer, though
    // its messages may still be up.
    std::string whyNot;
    auto lock = handedLock ? vq3::ConversionLock::Adopt(*handedLock, folder, whyNot)
                           : vq3::ConversionLock::Take(folder, whyNot);
    const auto run = [&](RunnerHost& host) {
        if (!lock) {
            host.ShowMessage(whyNot.empty() ? AlreadyRunningMessage
                                            : LockFailedMessage(folder, whyNot));
            return 1;
        }
        const int status = RunScript(host, scriptPath, workingDir, stop);
        lock.reset();
        return status;
    };
    if (HasDisplay()) {
        return RunInWindow(std::string(vq3::AppInfo::AppTitle) + " - " + folder, stop, run);
    }
    ConsoleHost console;
    return run(console);
}
