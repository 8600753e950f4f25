#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace vq3::test {

// A short silent 16-bit stereo 44.1 kHz PCM WAV file.
inline void WriteSilentWav(const std::filesystem::path& path, std::uint32_t frames = 4410) {
    const auto le32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const std::uint32_t dataBytes = frames * 4;
    std::ofstream(path, std::ios::binary)
        << "RIFF" + le32(36 + dataBytes) + "WAVEfmt " + le32(16) + std::string("\1\0\2\0", 4) +
               le32(44100) + le32(44100 * 4) + std::string("\4\0\20\0", 4) + "data" +
               le32(dataBytes) + std::string(dataBytes, '\0');
}

} // namespace vq3::test
