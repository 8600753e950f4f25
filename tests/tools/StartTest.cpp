#include "conversion/ConvertFiles.h"
#include "platform/AppInfo.h"
#include "platform/posix/DesktopSession.h"
#include "runner/ChildProcess.h"
#include "support/RecordingPlatform.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <zlib.h>

namespace vq3 {
namespace {

// A newcomer's first run without a display. The tool says in one line that it needs a desktop
// session and ends before Qt could speak; a display that answers, or a platform named for Qt,
// lets it go on. The folder tools/start.sh prepares converts end to end: Convert starts the
// runner beside the tool, in the music folder, whose lock it holds, and each .fda is the stand-in
// encoder's output for its track, for the MP3 what madplay makes of it.
TEST(StartTest, ANewcomersFirstRunWithoutADisplay) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    const test::TempDir folder;
    const auto tool = [&] {
        const int status =
            std::system(("'" + AppInfo::AppDir() + "/vq3mt' 2>" + folder / "said").c_str());
        return std::pair(WEXITSTATUS(status), test::ReadFile(folder / "said"));
    };
    const std::string lead = "vq3mt is a desktop program and needs a desktop session (X11 or "
                             "Wayland); ";
    EXPECT_EQ(tool(), std::pair(NoDesktopSessionStatus,
                                lead + "neither DISPLAY nor WAYLAND_DISPLAY is set.\n"));

    auto run = [](std::vector<std::string> a) { return runner::RunAndWait(a, "/", nullptr).ok; };
    ASSERT_TRUE(run({TOOLS_DIR "/prepare-try-out.sh", folder.Str(), AppInfo::AppDir()}));
    const std::string stems[] = {folder / "Intro (Live) & More.", folder / "100% Battle Theme."};
    ASSERT_TRUE(run({"/usr/bin/madplay", "-o", "wave:" + folder / "x", stems[0] + "mp3"}));
    const std::string waves[] = {test::ReadFile(folder / "x"), test::ReadFile(stems[1] + "wav")};
    test::RecordingPlatform platform;
    platform.startForReal = true;
    ConvertFiles({stems[0] + "mp3", stems[1] + "wav"}, 1024, folder.Str(), platform);
    // The tracks are converted in list order: the last .fda comes last.
    ASSERT_TRUE(test::WaitUntil([&] { return std::filesystem::exists(stems[1] + "fda"); },
                                std::chrono::minutes(1)));
    // The run holds the folder until it ends, then lets go.
    EXPECT_TRUE(test::WaitUntil([&] { return !test::ConversionRunning(folder.Str()); },
                                std::chrono::minutes(1)));
    for (const int i : {0, 1}) {
        char expected[160];
        std::snprintf(expected, sizeof expected,
                      "VQ3 Music Tool stand-in encoder output: not game audio, it will not play in "
                      "the game.\nbit rate 1024\ninput %zu bytes\ninput CRC-32 %08lx\n",
                      waves[i].size(),
                      crc32(0, reinterpret_cast<const Bytef*>(waves[i].data()), waves[i].size()));
        EXPECT_EQ(test::ReadFile(stems[i] + "fda"), expected);
    }

    // A Wayland display in the session's runtime folder, which answers while a server listens.
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", (folder / "wl").c_str());
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(server, 1), 0);
    setenv("XDG_RUNTIME_DIR", folder.Str().c_str(), 1);
    setenv("WAYLAND_DISPLAY", "wl", 1);
    setenv("DISPLAY", "localhost:32767", 1);
    EXPECT_EQ(MissingDesktopSession(), "");
    close(server);
    EXPECT_EQ(tool(), std::pair(NoDesktopSessionStatus,
                                lead + "nothing answers at DISPLAY 'localhost:32767' or "
                                       "WAYLAND_DISPLAY 'wl'.\n"));
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_EQ(MissingDesktopSession(), "");
}

} // namespace
} // namespace vq3
