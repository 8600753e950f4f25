#include "platform/ScriptLauncher.h"

#include "platform/windows/WinText.h"

#include <windows.h>

namespace vq3 {

namespace {

// The folder's conversion lock: vq3mc.lock, opened for no one else to share. The command
// interpreter inherits the handle and holds it, with the programs it starts, until the
// conversion ends, whichever copy of the tool started it.
HANDLE OpenLock(const std::string& folder, DWORD creation, BOOL inheritable) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, inheritable};
    // A link in its place is never followed.
    return CreateFileW(Widen(folder + "\\vq3mc.lock").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                       &security, creation, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                       nullptr);
}

} // namespace

Result LaunchScript(const std::string& scriptPath, const std::string& workingDir) {
    // The interpreter from the system folder, never a cmd.exe lying in the music folder.
    std::wstring systemDir(MAX_PATH, L'\0');
    systemDir.resize(GetSystemDirectoryW(systemDir.data(), MAX_PATH));
    const std::wstring interpreter = systemDir + L"\\cmd.exe";

    // /d skips AutoRun commands; /e:on gives the script the "if defined" and "set /a" it uses,
    // whatever the registry says; /v:off keeps "!" in names literal; /s with the doubled quotes
    // strips only the outer pair, so "&" or "^" in the path cannot split the command.
    std::wstring commandLine = L"cmd.exe /d /e:on /v:off /s /c \"\"" + Widen(scriptPath) + L"\"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    PROCESS_INFORMATION process{};
    const std::wstring folder = Widen(workingDir);
    const HANDLE lock = OpenLock(workingDir, OPEN_ALWAYS, TRUE);
    if (lock == INVALID_HANDLE_VALUE) {
        return Result::Failure("'vq3mc.lock' cannot be made: " + LastErrorText());
    }
    const BOOL started =
        CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_NEW_CONSOLE, nullptr, folder.c_str(), &startup, &process);
    const Result result = started ? Result::Success() : Result::Failure(LastErrorText());
    CloseHandle(lock);
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return result;
}

bool ConversionRunning(const std::string& appDir) {
    const HANDLE lock = OpenLock(appDir, OPEN_EXISTING, FALSE);
    if (lock != INVALID_HANDLE_VALUE) {
        CloseHandle(lock);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

} // namespace vq3
