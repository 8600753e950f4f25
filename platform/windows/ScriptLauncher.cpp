#include "platform/ScriptLauncher.h"

#include "platform/windows/WinText.h"

#include <cstdint>
#include <vector>
#include <windows.h>

namespace vq3 {

namespace {

// Lets only `handle` be inherited by the process startup describes, for as long as it lives.
class OnlyInherited {
public:
    OnlyInherited(STARTUPINFOEXW& startup, HANDLE handle) : handle_(handle) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        buffer_.resize(size / sizeof(std::uint64_t) + 1);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer_.data());
        initialized_ = InitializeProcThreadAttributeList(list_, 1, 0, &size);
        ready_ = initialized_ &&
                 UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &handle_,
                                           sizeof handle_, nullptr, nullptr) &&
                 SetHandleInformation(handle_, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        startup.lpAttributeList = list_;
    }
    ~OnlyInherited() {
        SetHandleInformation(handle_, HANDLE_FLAG_INHERIT, 0);
        if (initialized_) {
            DeleteProcThreadAttributeList(list_);
        }
    }
    OnlyInherited(const OnlyInherited&) = delete;
    OnlyInherited& operator=(const OnlyInherited&) = delete;

    bool Ready() const { return ready_; }

private:
    HANDLE handle_;
    std::vector<std::uint64_t> buffer_; // the list, aligned as it needs
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    bool initialized_ = false;
    bool ready_ = false;
};

} // namespace

Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                    const ConversionLock& lock) {
    // The interpreter from the system folder, never a cmd.exe lying in the music folder.
    std::wstring systemDir(MAX_PATH, L'\0');
    systemDir.resize(GetSystemDirectoryW(systemDir.data(), MAX_PATH));
    const std::wstring interpreter = systemDir + L"\\cmd.exe";

    // /d skips AutoRun commands; /e:on gives the script the "if defined" and "set /a" it uses,
    // whatever the registry says; /v:off keeps "!" in names literal. The script is named from
    // the working folder, never by its path: the interpreter expands "%NAME%" on its command
    // line even between quotes, and a folder may be called that.
    const std::string scriptName = scriptPath.substr(scriptPath.find_last_of("\\/") + 1);
    std::wstring commandLine = L"cmd.exe /d /e:on /v:off /c .\\" + Widen(scriptName);

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = SW_SHOWMINNOACTIVE;
    const OnlyInherited inherited(startup, lock.NativeHandle());
    if (!inherited.Ready()) {
        return Result::Failure(LastErrorText());
    }
    // A program that cannot load or that crashes ends with a status instead of waiting, behind a
    // system dialog in a minimized window, for someone to click: the interpreter inherits this
    // error mode and hands it on to the programs it starts.
    const UINT errorMode = GetErrorMode();
    SetErrorMode(errorMode | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_NEW_CONSOLE | EXTENDED_STARTUPINFO_PRESENT, nullptr,
                       Widen(workingDir).c_str(), &startup.StartupInfo, &process);
    const Result result = started ? Result::Success() : Result::Failure(LastErrorText());
    SetErrorMode(errorMode);
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return result;
}

} // namespace vq3
