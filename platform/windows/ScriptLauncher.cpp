#include "platform/ScriptLauncher.h"

#include "platform/windows/WinText.h"

#include <windows.h>

namespace vq3 {

namespace {

// The conversion this tool started last, kept so that a second one in the same folder can
// wait for it.
struct LastConversion {
    HANDLE process = nullptr;
    std::string folder;

    ~LastConversion() {
        if (process != nullptr) {
            CloseHandle(process);
        }
    }
    void Replace(HANDLE started, const std::string& startedIn) {
        if (process != nullptr) {
            CloseHandle(process);
        }
        process = started;
        folder = startedIn;
    }
} lastConversion;

} // namespace

Result LaunchScript(const std::string& scriptPath, const std::string& workingDir) {
    // The interpreter from the system folder, never a cmd.exe lying in the music folder.
    std::wstring systemDir(MAX_PATH, L'\0');
    systemDir.resize(GetSystemDirectoryW(systemDir.data(), MAX_PATH));
    const std::wstring interpreter = systemDir + L"\\cmd.exe";

    // /d skips AutoRun commands; /v:off keeps "!" in names literal; /s with the doubled quotes
    // strips only the outer pair, so "&" or "^" in the path cannot split the command.
    std::wstring commandLine = L"cmd.exe /d /v:off /s /c \"\"" + Widen(scriptPath) + L"\"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    PROCESS_INFORMATION process{};
    const std::wstring folder = Widen(workingDir);
    if (!CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, folder.c_str(), &startup, &process)) {
        return Result::Failure(LastErrorText());
    }
    CloseHandle(process.hThread);
    lastConversion.Replace(process.hProcess, workingDir);
    return Result::Success();
}

bool ConversionRunning(const std::string& appDir) {
    return lastConversion.process != nullptr && lastConversion.folder == appDir &&
           WaitForSingleObject(lastConversion.process, 0) == WAIT_TIMEOUT;
}

} // namespace vq3
