// Plays the game's encoder in tests: checks its arguments, reads the WAV header and writes
// a small file that says what it was given.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "stand-in encoder: expected IN OUT BITRATE, got %d arguments\n",
                     argc - 1);
        return 2;
    }
    const std::string bitRate = argv[3];
    if (bitRate != "256" && bitRate != "512" && bitRate != "1024" && bitRate != "2048") {
        std::fprintf(stderr, "stand-in encoder: bad bit rate '%s'\n", argv[3]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    char header[12] = {};
    if (!in.read(header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0) {
        std::fprintf(stderr, "stand-in encoder: '%s' is not a WAV file\n", argv[1]);
        return 3;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << "aifr from " << argv[1] << " at " << bitRate << "\n";
    return out.good() ? 0 : 4;
}
