#include "conversion/Script.h"
#include "platform/AppInfo.h"
#include "platform/ConversionLock.h"
#include "platform/Files.h"
#include "runner/ChildProcess.h"
#include "runner/Messages.h"
#include "support/Executables.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"
#include "support/Waiting.h"

#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <thread>

namespace vq3::runner {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

// A zombie counts as gone: it has ended and only waits to be collected.
bool Alive(const std::string& pid) {
    const std::string stat = test::ReadFile(fs::path("/proc") / pid / "stat");
    const size_t nameEnd = stat.rfind(')');
    return nameEnd != std::string::npos && stat.compare(nameEnd + 2, 1, "Z") != 0;
}

// While the encoder hangs on the second track, a second run in the folder is turned away; a
// SIGTERM then ends the encoder and its child, and only the finished track's file remains. The
// runner is started from another folder: it locks the one that holds the script, and says why
// when it cannot.
// vq3run sees no display, so it runs in the console: the transcript on its standard output,
// messages on its standard error.
TEST(EndToEndTest, OneRunAtATimeAndAStopKeepsOnlyFinishedTracks) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    test::TempDir appDir;
    test::WriteFile(appDir.Path() / "100% R&B.wav", "RIFF....WAVE");
    test::WriteFile(appDir.Path() / "Intro Theme.wav", "RIFF....WAVE");
    ASSERT_TRUE(
        WriteTextLines(appDir / "vq3mc.bat",
                       BuildConversionScript({appDir / "100% R&B.wav", appDir / "Intro Theme.wav"},
                                             appDir.Str(), 1024))
            .ok);
    // Started from another folder: it converts, and locks, where the script lies.
    const test::TempDir elsewhere;
    const auto runScript = [&] {
        std::string output;
        const OutputSink collect = [&](std::string_view text) { output += text; };
        const Result ran = RunAndWait({AppInfo::AppDir() + "/vq3run", appDir / "vq3mc.bat"},
                                      elsewhere.Str(), &collect);
        return std::make_pair(ran.ok, output);
    };
    // An encoder that hangs on the second track, with a child of its own.
    test::WriteProgram(appDir.Path() / "enc.exe",
                       "case \"$1\" in Intro*) printf 'aifr fr' > \"$2\"; sleep 600 &\n"
                       "echo \"$PPID $$ $!\" > p.new; mv p.new stand-in.pids; wait;;\n"
                       "*) printf 'aifr' > \"$2\";; esac");
    std::pair<bool, std::string> first;
    std::thread running([&] { first = runScript(); });
    const fs::path pids = appDir.Path() / "stand-in.pids";
    if (!test::WaitUntil([&] { return fs::exists(pids); }, std::chrono::seconds(120))) {
        running.join();
        FAIL() << "the encoder never hung: " << first.second;
    }
    std::string runner, encoder, child;
    std::istringstream(test::ReadFile(pids)) >> runner >> encoder >> child;

    EXPECT_TRUE(test::ConversionRunning(appDir.Str()));
    EXPECT_EQ(runScript(), std::make_pair(false, std::string(AlreadyRunningMessage) + "\n"));

    // Only the runner this test started is sent the signal; should the stand-in's parent be
    // anything else, the stand-in itself is.
    const bool runnerIsParent = test::ReadFile(fs::path("/proc") / runner / "comm") == "vq3run\n";
    EXPECT_TRUE(runnerIsParent);
    kill(std::stoi(runnerIsParent ? runner : encoder), SIGTERM);
    running.join();
    EXPECT_FALSE(first.first);
    EXPECT_NE(first.second.find("The conversion was stopped.\nConverted: '100% R&B.fda'.\n"
                                "Not converted: 'Intro Theme.fda'.\n"),
              std::string::npos)
        << first.second;
    EXPECT_TRUE(test::WaitUntil([&] { return !Alive(encoder) && !Alive(child); },
                                std::chrono::seconds(60)));
    EXPECT_FALSE(test::ConversionRunning(appDir.Str()));
    EXPECT_EQ(test::FilesIn(appDir.Path()),
              (Names{"Intro Theme.wav", "100% R&B.wav", "enc.exe", "vq3mc.bat", "100% R&B.fda",
                     ConversionLockName, "stand-in.pids"}));
    EXPECT_TRUE(test::FilesIn(elsewhere.Path()).empty());

    // A lock file that cannot be made is refused, saying why (the words for a folder in the way
    // are those of any file written).
    std::filesystem::remove(appDir.Path() / ConversionLockName);
    std::filesystem::create_symlink("vq3mc.bat", appDir.Path() / ConversionLockName);
    EXPECT_EQ(runScript(),
              std::make_pair(false, "The conversion cannot start: the lock file "
                                    "'vq3mc.lock' cannot be made in '" +
                                        appDir.Str() +
                                        "': it is a link, which is never followed.\n"));
}

} // namespace
} // namespace vq3::runner
