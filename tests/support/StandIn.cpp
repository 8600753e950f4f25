// Plays madplay.exe and the game's encoder in tests. "-o wave:OUT IN" decodes: it checks that
// IN exists and writes a WAV of one silent sample to OUT. "IN OUT BITRATE" encodes: it writes a
// small file that says what it was given. A name holding "[madplay HOW]" or "[enc HOW]" makes that
// program fail on it, HOW being "exit" (status 3, writing nothing), "partial" (half its output,
// then status 2), "crash" (a write through a null pointer), "nothing" (status 0, writing nothing)
// "silent" (status 0, a WAV with an empty data chunk) or, but on Windows, "linger" (succeeds,
// leaving a child that holds its output open and sleeps).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

int Write(const char* path, const std::string& content, const std::string& failure) {
    if (failure == "exit") {
        std::fprintf(stderr, "stand-in: failing on purpose\n");
        return 3;
    }
    if (failure == "crash") {
#ifdef _WIN32
        // No debugger or error box: the exit status is what the script sees.
        SetErrorMode(SEM_NOGPFAULTERRORBOX);
#endif
        *static_cast<volatile int*>(nullptr) = 1;
    }
#ifndef _WIN32
    // The child holds the output it inherited and writes nothing, so that no broken pipe ends it.
    if (failure == "linger" && fork() == 0) {
        sleep(600);
        _exit(0);
    }
#endif
    if (failure == "silent") {
        std::ofstream(path, std::ios::binary) << content.substr(0, 40) << std::string(4, '\0');
    }
    if (failure == "nothing" || failure == "silent") {
        return 0;
    }
    std::ofstream out(path, std::ios::binary);
    out << (failure == "partial" ? content.substr(0, content.size() / 2) : content);
    if (failure == "partial") {
        std::fprintf(stderr, "stand-in: stopped half-way\n");
        return 2;
    }
    return out.good() ? 0 : 4;
}

// What the name asks of this program: "" when it is to succeed.
std::string FailureAskedOf(const char* program, const std::string& name) {
    const std::string marker = std::string("[") + program + " ";
    const size_t at = name.find(marker);
    return at == std::string::npos
               ? ""
               : name.substr(at + marker.size(), name.find(']', at) - at - marker.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "-o") == 0 && std::strncmp(argv[2], "wave:", 5) == 0) {
        if (!std::ifstream(argv[3], std::ios::binary)) {
            std::fprintf(stderr, "stand-in decoder: cannot read '%s'\n", argv[3]);
            return 3;
        }
        const std::string wave("RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\1\0\2\0\x44\xAC\0\0"
                               "\x10\xB1\2\0\4\0\x10\0data\4\0\0\0\0\0\0\0",
                               48);
        return Write(argv[2] + 5, wave, FailureAskedOf("madplay", argv[3]));
    }
    if (argc != 4) {
        std::fprintf(stderr, "stand-in encoder: expected IN OUT BITRATE\n");
        return 2;
    }
    return Write(argv[2], "aifr from " + std::string(argv[1]) + " at " + argv[3] + "\n",
                 FailureAskedOf("enc", argv[1]));
}
