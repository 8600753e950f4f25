#include "platform/ScriptLauncher.h"

#include "platform/Files.h"
#include "platform/windows/WinText.h"

#include <cstdint>
#include <utility>
#include <vector>
#include <windows.h>

namespace vq3 {

namespace {

std::string WhyNotLocked(const std::wstring& path) {
    // A link in its place is never followed, and a folder is named as such.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return LinkNotFollowedReason;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return FolderInTheWayReason;
    }
    return LastErrorText();
}

void Release(HANDLE handle) {
    if (handle != nullptr) {
        CloseHandle(handle);
    }
}

// Lets only `handle` be inherited by the process startup describes, for as long as it lives.
class OnlyInherited {
public:
    OnlyInherited(STARTUPINFOEXW& startup, HANDLE handle) : handle_(handle) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        buffer_.resize(size / sizeof(std::uint64_t) + 1);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer_.data());
        ready_ = InitializeProcThreadAttributeList(list_, 1, 0, &size) &&
                 UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &handle_,
                                           sizeof handle_, nullptr, nullptr) &&
                 SetHandleInformation(handle_, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        startup.lpAttributeList = list_;
    }
    ~OnlyInherited() {
        SetHandleInformation(handle_, HANDLE_FLAG_INHERIT, 0);
        DeleteProcThreadAttributeList(list_);
    }
    OnlyInherited(const OnlyInherited&) = delete;
    OnlyInherited& operator=(const OnlyInherited&) = delete;

    bool Ready() const { return ready_; }

private:
    HANDLE handle_;
    std::vector<std::uint64_t> buffer_; // the list, aligned as it needs

    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    bool ready_ = false;
};

} // namespace

// Opened for no one else to share: any other attempt fails with a sharing violation while the
// tool, the command interpreter or a program it runs holds it.
std::optional<ConversionLock> ConversionLock::Take(const std::string& folder, std::string& whyNot) {
    const std::wstring path = Widen(folder + "\\" + ConversionLockName);
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        whyNot = GetLastError() == ERROR_SHARING_VIOLATION ? "" : WhyNotLocked(path);
        return std::nullopt;
    }
    ConversionLock lock(handle);
    // A link in its place is opened as itself, never followed, and then refused.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        whyNot = LinkNotFollowedReason;
        return std::nullopt;
    }
    return lock;
}

ConversionLock::ConversionLock(ConversionLock&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

ConversionLock& ConversionLock::operator=(ConversionLock&& other) noexcept {
    if (this != &other) {
        Release(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

ConversionLock::~ConversionLock() {
    Release(handle_);
}

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
