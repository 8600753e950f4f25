// Plays madplay.exe in the Windows tests: "-o wave:OUT IN" checks that IN exists and writes a
// WAV header to OUT.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[1], "-o") != 0 || std::strncmp(argv[2], "wave:", 5) != 0) {
        std::fprintf(stderr, "stand-in decoder: expected -o wave:OUT IN\n");
        return 2;
    }
    if (!std::ifstream(argv[3], std::ios::binary)) {
        std::fprintf(stderr, "stand-in decoder: cannot read '%s'\n", argv[3]);
        return 3;
    }
    std::ofstream out(argv[2] + 5, std::ios::binary);
    out.write("RIFF\x24\0\0\0WAVE", 12);
    out << std::string(32, '\0');
    return out.good() ? 0 : 4;
}
