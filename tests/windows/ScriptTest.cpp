#include "conversion/Script.h"

#include "platform/AppInfo.h"
#include "platform/ScriptLauncher.h"
#include "platform/windows/WinText.h"
#include "support/RecordingPlatform.h"
#include "support/ScriptRuns.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace vq3 {
namespace {

namespace fs = std::filesystem;

// Runs the script as the tool starts it, through the system's command interpreter, with no one
// at the keyboard (a pause reads the end of its input): the exit status and what it printed.
std::pair<DWORD, std::string> RunInCommandPrompt(const std::string& folder) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const test::TempDir elsewhere;
    const std::string outputPath = elsewhere / "output.txt";
    HANDLE output =
        CreateFileW(Widen(outputPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, CREATE_ALWAYS, 0, nullptr);
    HANDLE input = CreateFileW(L"NUL", GENERIC_READ, 0, &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;
    // As the tool starts it: by its name in the working folder.
    std::wstring commandLine = L"cmd.exe /d /e:on /v:off /c .\\vq3mc.bat";
    PROCESS_INFORMATION process{};
    DWORD status = 0xFFFFFFFF;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, Widen(folder).c_str(), &startup, &process)) {
        WaitForSingleObject(process.hProcess, 120000);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(input);
    CloseHandle(output);
    std::string printed = test::ReadFile(outputPath);
    std::erase(printed, '\r');
    return {status, printed};
}

// Each run in Windows' own command interpreter: the other tracks convert exactly, the failed
// one leaves nothing behind, and instead of closing, the window lists it and waits for a key.
TEST(WindowsScriptTest, AFailedTrackIsCleanedUpListedAndTheWindowWaits) {
    for (const test::ScriptRun& run : test::ScriptRuns()) {
        SCOPED_TRACE(run.how);
        test::TempDir base;
        const std::string dir =
            test::PrepareRun(base, run, FsPath(AppInfo::AppDir()) / "vq3_stand_in.exe");
        const auto [status, printed] = RunInCommandPrompt(dir);
        test::ExpectFolderAfter(FsPath(dir), run);
        if (run.record.empty()) {
            EXPECT_EQ(status, 0u);
            // The last two commands it ran: the completion message, then exit.
            const size_t exit = printed.rfind(dir + ">exit");
            EXPECT_TRUE(exit != std::string::npos &&
                        printed.find(dir + ">", exit + 1) == std::string::npos &&
                        printed.rfind(dir + ">", exit - 1) ==
                            printed.rfind(dir + ">msg * All files have been converted! ", exit))
                << printed;
        } else {
            EXPECT_EQ(status, 1u);
            EXPECT_NE(printed.find("These files were not converted:\n\"" + run.tracks[1] +
                                   "\": " + run.record + "\n"),
                      std::string::npos)
                << printed;
            EXPECT_NE(printed.find("Press any key"), std::string::npos) << printed;
        }
    }
}

// The script starts in a console window of its own, minimized and without the focus, titled with
// its progress, even in a folder whose name the interpreter would expand on its command line; the
// tool does not wait for it, and the folder's lock, handed to the console, tells any copy of the
// tool that it runs until it ends.
TEST(WindowsLauncherTest, TheScriptRunsMinimizedUnwatchedAndHoldsTheLock) {
    test::TempDir base;
    const std::string dir = base / "%OS% mix";
    fs::create_directory(FsPath(dir));
    ASSERT_TRUE(
        WriteTextLines(dir + "\\vq3mc.bat", {"title VQ3 Music Tool: 1 of 1: A.wav", "pause"}).ok);
    HWND foreground = GetForegroundWindow();
    // A lock that cannot be made is no conversion running: the system says why.
    std::string whyNot;
    EXPECT_FALSE(ConversionLock::Take(dir + "\\gone", whyNot));
    EXPECT_NE(whyNot, "");
    auto lock = ConversionLock::Take(dir, whyNot);
    ASSERT_TRUE(lock && LaunchScript(dir + "\\vq3mc.bat", dir, *lock).ok);
    lock.reset();
    HWND console = nullptr;
    EXPECT_TRUE(test::WaitUntil(
        [&] {
            console = FindWindowW(nullptr, L"VQ3 Music Tool: 1 of 1: A.wav");
            return console != nullptr;
        },
        std::chrono::seconds(30)));
    EXPECT_TRUE(IsIconic(console));
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_TRUE(test::ConversionRunning(dir));
    PostMessageW(console, WM_CLOSE, 0, 0);
    EXPECT_TRUE(
        test::WaitUntil([&] { return !test::ConversionRunning(dir); }, std::chrono::seconds(30)));
}

} // namespace
} // namespace vq3
