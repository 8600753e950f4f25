#pragma once

#include <filesystem>
#include <string>

namespace vq3 {

// Paths travel through the program as UTF-8 text; this turns one into the platform's own form.
inline std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace vq3
