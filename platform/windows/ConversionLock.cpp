#include "platform/ConversionLock.h"

#include "platform/Files.h"
#include "platform/windows/WinText.h"

#include <utility>
#include <windows.h>

namespace vq3 {

namespace {

std::string WhyNotLocked(const std::wstring& path, DWORD error) {
    // A link in its place is never followed, and a folder is named as such.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return LinkNotFollowedReason;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return FolderInTheWayReason;
    }
    SetLastError(error);
    return LastErrorText();
}

void Release(HANDLE handle) {
    if (handle != nullptr) {
        CloseHandle(handle);
    }
}

} // namespace

std::string ConversionLock::LockedPath(const std::string& folder) {
    return folder + "\\" + ConversionLockName;
}

// Opened for no one else to share: any other attempt fails with a sharing violation while the
// tool, the command interpreter or a program it runs holds it.
std::optional<ConversionLock> ConversionLock::Take(const std::string& folder, std::string& whyNot) {
    const std::wstring path = Widen(LockedPath(folder));
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        whyNot = error == ERROR_SHARING_VIOLATION ? "" : WhyNotLocked(path, error);
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

} // namespace vq3
