// Plays the game's encoder in tests: checks its arguments, reads the WAV header and writes
// a small file that says what it was given.
//
// VQ3_STAND_IN=MODE, or MODE:INPUT for that input alone, makes it misbehave instead:
//   fail-after-partial  writes part of its output, says "disk full" and exits with status 4;
//   hang                (not on Windows) writes part of its output, starts a child, writes the
//                       process ids of its parent, itself and the child to stand-in.pids, and
//                       waits to be killed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

std::string Mode(const std::string& input) {
    const char* setting = std::getenv("VQ3_STAND_IN");
    const std::string mode = setting != nullptr ? setting : "";
    const size_t colon = mode.find(':');
    if (colon == std::string::npos) {
        return mode;
    }
    return mode.substr(colon + 1) == input ? mode.substr(0, colon) : "";
}

#ifndef _WIN32
[[noreturn]] void Hang(const char* output) {
    const pid_t child = fork();
    if (child == 0) {
        for (;;) {
            pause();
        }
    }
    // Written whole, then renamed, so a test never reads half of it.
    std::ofstream("stand-in.pids.new") << getppid() << ' ' << getpid() << ' ' << child << '\n';
    std::rename("stand-in.pids.new", "stand-in.pids");
    std::fprintf(stderr, "stand-in encoder: hanging while writing '%s'\n", output);
    for (;;) {
        pause();
    }
}
#endif

} // namespace

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
    const std::string mode = Mode(argv[1]);
    std::ofstream out(argv[2], std::ios::binary);
    if (mode == "fail-after-partial" || mode == "hang") {
        out << "aifr fr" << std::flush;
#ifndef _WIN32
        if (mode == "hang") {
            Hang(argv[2]);
        }
#endif
        std::fprintf(stderr, "stand-in encoder: writing '%s'\ndisk full\n\n", argv[2]);
        return 4;
    }
    out << "aifr from " << argv[1] << " at " << bitRate << "\n";
    return out.good() ? 0 : 4;
}
