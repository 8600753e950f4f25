#include "platform/AppInfo.h"

#include "platform/Files.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vq3 {

namespace {

std::filesystem::path ExecutablePath() {
#ifdef _WIN32
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    return std::filesystem::read_symlink("/proc/self/exe");
#endif
}

} // namespace

std::string AppInfo::TitleWithVersion() {
    return std::string(AppTitle) + " " + std::to_string(Major) + "." + std::to_string(Minor) + "." +
           std::to_string(Revision);
}

std::string AppInfo::AppDir() {
    return Utf8Of(ExecutablePath().parent_path());
}

} // namespace vq3
