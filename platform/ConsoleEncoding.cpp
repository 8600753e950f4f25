#include "platform/ConsoleEncoding.h"

#ifdef _WIN32
#include "platform/windows/WinText.h"

#include <windows.h>
#endif

namespace vq3 {

#ifdef _WIN32

std::optional<std::string> EncodeForConsole(const std::string& utf8) {
    if (utf8.empty()) {
        return std::string();
    }
    const std::wstring wide = Widen(utf8);
    // No best-fit mapping: "?" or a look-alike letter would make the script name another file.
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string encoded(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        encoded.data(), size, nullptr, nullptr);
    return encoded;
}

#else

// The system's encoding is UTF-8 and our own interpreter reads UTF-8: bytes pass unchanged.
std::optional<std::string> EncodeForConsole(const std::string& utf8) {
    return utf8;
}

#endif

} // namespace vq3
