#include "runner/WaveFile.h"

#include "platform/Files.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace vq3::runner {

namespace {

std::uint32_t LittleEndian32(const char* bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

} // namespace

bool HoldsAudio(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    char header[12];
    if (!in.read(header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0) {
        return false;
    }
    char chunk[8];
    while (in.read(chunk, sizeof chunk)) {
        const std::uint32_t size = LittleEndian32(chunk + 4);
        if (std::memcmp(chunk, "data", 4) == 0) {
            // The size is declared before the sound is written: look for the sound itself.
            return size > 0 && in.peek() != std::ifstream::traits_type::eof();
        }
        // Chunks are padded to an even size.
        in.seekg(size + (size & 1U), std::ios::cur);
    }
    return false;
}

} // namespace vq3::runner
