#pragma once

#include "platform/posix/ProgramLookup.h"
#include "runner/ChildProcess.h"
#include "support/Audio.h"

#include <filesystem>
#include <string>

namespace vq3::test {

constexpr const char* SystemSearchPath = "/usr/local/bin:/usr/bin:/bin";

// Fills a folder the way a user would before converting: an MP3 made with Debian's lame, a
// WAV, and the stand-in for the game's encoder as enc.exe. Returns what went wrong, if
// anything (a missing lame or madplay, say).
inline std::string MakeMusicFolder(const std::filesystem::path& dir, const std::string& mp3Name,
                                   const std::string& wavName) {
    const bool madplay = FindProgram("madplay", "/", SystemSearchPath).has_value();
    const auto lame = FindProgram("lame", "/", SystemSearchPath);
    if (!madplay || !lame) {
        return std::string(madplay ? "lame" : "madplay") + " is not installed";
    }
    WriteSilentWav(dir / "source.tmp");
    std::vector<std::string> encode = *lame;
    encode.insert(encode.end(), {"--quiet", "source.tmp", mp3Name});
    const runner::OutputSink ignore = [](std::string_view) {};
    if (!runner::RunAndWait(encode, dir.string(), &ignore).ok) {
        return "lame could not make " + mp3Name;
    }
    std::filesystem::remove(dir / "source.tmp");
    WriteSilentWav(dir / wavName);
    std::filesystem::copy_file(STAND_IN_ENCODER, dir / "enc.exe");
    return "";
}

} // namespace vq3::test
