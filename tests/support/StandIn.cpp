// Plays madplay.exe and the game's encoder in tests. "-o wave:OUT IN" decodes: it checks that
// IN exists and writes a WAV header to OUT. "IN OUT BITRATE" encodes: it checks the bit rate and
// the WAV header and writes a small file that says what it was given.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "-o") == 0 && std::strncmp(argv[2], "wave:", 5) == 0) {
        if (!std::ifstream(argv[3], std::ios::binary)) {
            std::fprintf(stderr, "stand-in decoder: cannot read '%s'\n", argv[3]);
            return 3;
        }
        std::ofstream wave(argv[2] + 5, std::ios::binary);
        wave.write("RIFF\x24\0\0\0WAVE", 12);
        wave << std::string(32, '\0');
        return wave.good() ? 0 : 4;
    }
    const std::string bitRate = argc == 4 ? argv[3] : "";
    if (bitRate != "256" && bitRate != "512" && bitRate != "1024" && bitRate != "2048") {
        std::fprintf(stderr, "stand-in encoder: expected IN OUT BITRATE\n");
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
