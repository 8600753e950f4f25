#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace vq3::test {

// A short silent 16-bit stereo PCM WAV file.
inline void WriteSilentWav(const std::filesystem::path& path, std::uint32_t frames = 4410) {
    const std::uint32_t rate = 44100;
    const std::uint16_t channels = 2;
    const std::uint16_t bits = 16;
    const std::uint32_t dataBytes = frames * channels * bits / 8;
    std::ofstream out(path, std::ios::binary);
    const auto put32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto put16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    put32(36 + dataBytes);
    out << "WAVEfmt ";
    put32(16);
    put16(1);
    put16(channels);
    put32(rate);
    put32(rate * channels * bits / 8);
    put16(static_cast<std::uint16_t>(channels * bits / 8));
    put16(bits);
    out << "data";
    put32(dataBytes);
    out << std::string(dataBytes, '\0');
}

} // namespace vq3::test
