#include "conversion/Script.h"

#include "platform/AppInfo.h"
#include "platform/ScriptLauncher.h"
#include "support/RecordingPlatform.h"
#include "support/ScriptRuns.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using namespace test;

// Runs the script as the tool starts it (by its name, in its folder), through the system's command
// interpreter, with no one at the keyboard (a pause reads the end of its input): the exit status
// and what it printed.
std::pair<int, std::string> RunInCommandPrompt(const std::string& folder) {
    const fs::path previous = fs::current_path();
    fs::current_path(FsPath(folder));
    FILE* pipe = _wpopen(L"cmd.exe /d /e:on /v:off /c .\\vq3mc.bat <NUL 2>&1", L"rb");
    fs::current_path(previous);
    std::string printed;
    for (int got; pipe != nullptr && (got = std::fgetc(pipe)) != EOF;) {
        printed += got == '\r' ? "" : std::string(1, static_cast<char>(got));
    }
    return {pipe != nullptr ? _pclose(pipe) : -1, printed};
}

// Each run in Windows' own command interpreter: the other tracks convert exactly, the failed
// one leaves nothing behind, and instead of closing, the window lists it and waits for a key.
TEST(WindowsScriptTest, AFailedTrackIsCleanedUpListedAndTheWindowWaits) {
    for (const ScriptRun& run : ScriptRuns()) {
        SCOPED_TRACE(run.how);
        TempDir base;
        const std::string dir =
            PrepareRun(base, run, FsPath(AppInfo::AppDir()) / "vq3_stand_in.exe");
        const auto [status, printed] = RunInCommandPrompt(dir);
        ExpectFolderAfter(FsPath(dir), run);
        if (run.record.empty()) {
            EXPECT_EQ(status, 0);
            // The last two commands it ran: the completion message, then exit.
            const size_t msg = printed.rfind(dir + ">msg * All files have been converted! \n");
            const size_t exit = printed.rfind(dir + ">exit \n");
            EXPECT_EQ(printed.find(dir + ">", msg + 1), exit) << printed;
            EXPECT_EQ(printed.rfind(dir + ">"), exit) << printed;
        } else {
            EXPECT_EQ(status, 1);
            const std::string listed =
                "These files were not converted:\n\"" + run.tracks[1] + "\": " + run.record + "\n";
            EXPECT_NE(printed.find("Press any key", printed.find(listed)), std::string::npos)
                << printed;
        }
    }
}

// The script starts in a console window of its own, minimized and without the focus, titled with
// its progress, even in a folder whose name the interpreter would expand on its command line; the
// tool does not wait for it, and the folder's lock, handed to the console, tells any copy of the
// tool that it runs until it ends.
TEST(WindowsLauncherTest, TheScriptRunsMinimizedUnwatchedAndHoldsTheLock) {
    TempDir base;
    const std::string dir = base / "%OS% mix";
    fs::create_directory(FsPath(dir));
    ASSERT_TRUE(
        WriteTextLines(dir + "\\vq3mc.bat", {"title VQ3 Music Tool: 1 of 1: A.wav", "pause"}).ok);
    HWND foreground = GetForegroundWindow();
    // A lock that cannot be made is no conversion running: the system says why.
    std::string whyNot;
    EXPECT_FALSE(ConversionLock::Take(dir + "\\gone", whyNot) || whyNot.empty());
    auto lock = ConversionLock::Take(dir, whyNot);
    ASSERT_TRUE(lock && LaunchScript(dir + "\\vq3mc.bat", dir, *lock).ok);
    lock.reset();
    HWND console = nullptr;
    const auto shown = [&] {
        return (console = FindWindowW(nullptr, L"VQ3 Music Tool: 1 of 1: A.wav"));
    };
    EXPECT_TRUE(WaitUntil(shown, std::chrono::seconds(30)));
    EXPECT_TRUE(IsIconic(console));
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_TRUE(ConversionRunning(dir));
    PostMessageW(console, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !ConversionRunning(dir); }, std::chrono::seconds(30)));
}

} // namespace
} // namespace vq3
