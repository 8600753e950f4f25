// The project's own stand-in for the game's encoder, so that the whole road from a drop to .fda
// files can be tried without the game. Called as the game's encoder is, "enc.exe IN.wav OUT
// BITRATE", it checks that IN is a WAV file and writes to OUT a plain text saying that this is a
// stand-in's output, which will not play in the game, then the bit rate, IN's length and IN's
// CRC-32 (the checksum zlib and zip use).
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <zlib.h>

namespace {

// tools/prepare-try-out.sh tells the stand-in and its output from the game's by this text's start.
constexpr const char* Header = "VQ3 Music Tool stand-in encoder output: not game audio, it will "
                               "not play in the game.";

constexpr int BadUsage = 2;
constexpr int BadInput = 3;
constexpr int CannotWrite = 4;

int Fail(int status, const std::string& what) {
    std::fprintf(stderr, "stand-in enc.exe: %s\n", what.c_str());
    return status;
}

bool IsBitRate(const char* text) {
    const size_t length = std::strlen(text);
    return length > 0 && length <= 5 && std::strspn(text, "0123456789") == length;
}

bool IsWaveHeader(const char* start, std::size_t size) {
    return size >= 12 && std::memcmp(start, "RIFF", 4) == 0 &&
           std::memcmp(start + 8, "WAVE", 4) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || !IsBitRate(argv[3])) {
        return Fail(BadUsage, "usage: enc.exe IN.wav OUT BITRATE");
    }
    const std::string inName = argv[1];
    std::ifstream in(inName, std::ios::binary);
    if (!in) {
        return Fail(BadInput, "cannot read '" + inName + "': " + std::strerror(errno));
    }
    const std::string notWave = "'" + inName + "' is not a WAV file";
    static char chunk[1 << 16];
    std::uint64_t length = 0;
    uLong crc = crc32(0, nullptr, 0);
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        const auto got = static_cast<std::size_t>(in.gcount());
        if (length == 0 && !IsWaveHeader(chunk, got)) {
            return Fail(BadInput, notWave);
        }
        crc = crc32(crc, reinterpret_cast<const Bytef*>(chunk), static_cast<uInt>(got));
        length += got;
    }
    if (in.bad()) {
        return Fail(BadInput, "cannot read '" + inName + "'");
    }
    if (length == 0) {
        return Fail(BadInput, notWave);
    }

    char facts[128];
    std::snprintf(facts, sizeof facts, "bit rate %s\ninput %llu bytes\ninput CRC-32 %08x\n",
                  argv[3], static_cast<unsigned long long>(length), static_cast<unsigned>(crc));
    std::ofstream out(argv[2], std::ios::binary);
    out << Header << '\n' << facts;
    out.close();
    if (!out) {
        return Fail(CannotWrite, "cannot write '" + std::string(argv[2]) + "'");
    }
    return 0;
}
