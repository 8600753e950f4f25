#include "conversion/Script.h"

#include "platform/AppInfo.h"
#include "platform/ScriptLauncher.h"
#include "platform/windows/WinText.h"
#include "support/ScriptRuns.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace vq3 {
namespace {

namespace fs = std::filesystem;

// Runs the script as the tool starts it, through the system's command interpreter, with no one
// at the keyboard (a pause reads the end of its input): the exit status and what it printed.
std::pair<DWORD, std::string> RunInCommandPrompt(const std::string& script,
                                                 const std::string& folder) {
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
    std::wstring commandLine = L"cmd.exe /d /v:off /s /c \"\"" + Widen(script) + L"\"\"";
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
        const auto [status, printed] = RunInCommandPrompt(dir + "\\vq3mc.bat", dir);
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
// its progress; the tool does not wait for it, and the folder's lock, which the console holds,
// tells any copy of the tool that it runs until it ends.
TEST(WindowsLauncherTest, TheScriptRunsMinimizedUnwatchedAndIsKnownToRun) {
    test::TempDir dir;
    // The system's own words, without the line end it ends them with (Wine says it its way).
    const std::string reason = LaunchScript(dir / "x.bat", dir / "gone").reason;
    EXPECT_TRUE(reason ==
                    "'vq3mc.lock' cannot be made: The system cannot find the path specified" ||
                reason == "'vq3mc.lock' cannot be made: Path not found")
        << reason;
    ASSERT_TRUE(
        WriteTextLines(dir / "vq3mc.bat", {"title VQ3 Music Tool: 1 of 1: A.wav", "pause"}).ok);
    HWND foreground = GetForegroundWindow();
    ASSERT_TRUE(LaunchScript(dir / "vq3mc.bat", dir.Str()).ok);
    HWND console = nullptr;
    EXPECT_TRUE(test::WaitUntil(
        [&] {
            console = FindWindowW(nullptr, L"VQ3 Music Tool: 1 of 1: A.wav");
            return console != nullptr;
        },
        std::chrono::seconds(30)));
    EXPECT_TRUE(IsIconic(console));
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_TRUE(ConversionRunning(dir.Str()));
    PostMessageW(console, WM_CLOSE, 0, 0);
    EXPECT_TRUE(
        test::WaitUntil([&] { return !ConversionRunning(dir.Str()); }, std::chrono::seconds(30)));
}

} // namespace
} // namespace vq3
