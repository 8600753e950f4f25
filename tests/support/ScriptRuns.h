#pragma once

#include "conversion/Script.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace vq3::test {

// Conversions of three entries that the command interpreter and our own interpreter must end
// alike. The stand-ins fail on a name holding "[madplay HOW]" or "[enc HOW]"; one run lacks the
// decoder altogether. All but the first run fail on the second entry.
struct ScriptRun {
    const char* how;
    std::vector<std::string> tracks;
    std::string record;  // what the window lists for the failed entry; "" when none fails
    std::string added{}; // what vq3run adds to it: the program's last words, or what it saw
    bool decoderMissing = false;
};

#ifdef _WIN32
constexpr const char* CrashStatus = "-1073741819"; // an access violation's status, as cmd reads it
#else
constexpr const char* CrashStatus = "139"; // 128 + SIGSEGV
#endif

inline std::vector<ScriptRun> ScriptRuns() {
    const std::string ended = " ended with exit status ";
    const std::string failing = ", saying \"stand-in: failing on purpose\"";
    const std::string half = ", saying \"stand-in: stopped half-way\"";
    // clang-format off
    return {
        {"all succeed, one entry listed twice", {"One.wav", "Two (Live) & 100%.mp3", "One.wav"}, ""},
        {"awkward names", {"%PATH% & R^B ^^ (x)! it's.wav", " leading.mp3", "trailing .wav", "two  spaces.mp3", "50%% off.wav"}, ""},
#ifndef _WIN32
        // The command interpreter cannot tell; our own runs no track on silence.
        {"decoder leaves no sound", {"One.wav", "Two [madplay silent].mp3", "Three.wav"}, "madplay.exe" + ended + "1", " ('madplay.exe' wrote no audio to 'Two [madplay silent].wav')"},
        {"a program leaves a child running", {"One.wav", "Two [enc linger].wav", "Three.mp3"}, ""},
        {"names Windows forbids", {"a|b<c>d.wav", "back\\slash.mp3", "back\\\\.wav", "Caf\xC3\xA9 \xE6\x97\xA5.wav"}, ""},
#endif
        {"decoder fails", {"One.wav", "Two [madplay exit].mp3", "Three.mp3"}, "madplay.exe" + ended + "3", failing},
        {"decoder crashes", {"One.wav", "Two [madplay crash].mp3", "Three.mp3"}, "madplay.exe" + ended + CrashStatus, ""},
        {"decoder leaves half a WAV", {"One.mp3", "Two [madplay partial].mp3", "Three.wav"}, "madplay.exe" + ended + "2", half},
        {"encoder fails", {"One.wav", "Two [enc exit].wav", "Three.mp3"}, "enc.exe" + ended + "3", failing},
        {"encoder crashes", {"One.mp3", "Two [enc crash].mp3", "Three.wav"}, "enc.exe" + ended + CrashStatus, ""},
        {"encoder leaves half its output", {"One.wav", "Two [enc partial].mp3", "Three.wav"}, "enc.exe" + ended + "2", half},
        {"encoder writes nothing", {"One.wav", "Two [enc nothing].wav", "Three.mp3"}, "enc.exe" + ended + "0 but wrote no .aifr", ""},
        {"decoder missing", {"One.wav", "Two.mp3", "Three.wav"}, "madplay.exe" + ended + "1", " ('madplay.exe' was not found in 'DIR' or on the search path)", true},
    };
    // clang-format on
}

// A folder as the user leaves it: the tracks (an MP3 holds anything, a WAV a header the stand-in
// encoder reads), and the stand-in as each program the run has.
inline void PrepareFolder(const std::filesystem::path& dir, const ScriptRun& run,
                          const std::filesystem::path& standIn) {
    for (const std::string& track : run.tracks) {
        WriteFile(dir / FsPath(track), track.ends_with("mp3") ? "ID3" : "RIFF....WAVE");
    }
    if (!run.decoderMissing) {
        std::filesystem::copy_file(standIn, dir / "madplay.exe");
    }
    std::filesystem::copy_file(standIn, dir / "enc.exe");
}

// The folder of a run, named to mean something to the command interpreter too, prepared, and
// with the tool's script for the run at 256 in it.
inline std::string PrepareRun(const TempDir& base, const ScriptRun& run,
                              const std::filesystem::path& standIn) {
    const std::string folder = base / "R&B 100% ^x (Live)! it's";
    std::filesystem::create_directory(FsPath(folder));
    PrepareFolder(FsPath(folder), run, standIn);
    std::vector<std::string> entries;
    for (const std::string& track : run.tracks) {
        entries.push_back(PathRules::Host().JoinPath(folder, track));
    }
    EXPECT_TRUE(WriteTextLines(PathRules::Host().JoinPath(folder, ScriptFileName),
                               BuildConversionScript(entries, folder, 256))
                    .ok);
    return folder;
}

// What the folder holds after the run: everything it held, the script, and an .fda with the
// stand-in's output for every track but the failed one. Nothing else: no intermediate WAV, no
// .aifr.
inline void ExpectFolderAfter(const std::filesystem::path& dir, const ScriptRun& run) {
    std::set<std::string> expected{"enc.exe", "vq3mc.bat",
                                   run.decoderMissing ? "enc.exe" : "madplay.exe"};
    for (size_t i = 0; i < run.tracks.size(); ++i) {
        const std::string& track = run.tracks[i];
        expected.insert(track);
        if (i == 1 && !run.record.empty()) {
            continue;
        }
        const std::string stem = track.substr(0, track.size() - 3);
        expected.insert(stem + "fda");
        EXPECT_EQ(ReadFile(dir / FsPath(stem + "fda")), "aifr from " + stem + "wav at 256\n")
            << stem;
    }
    EXPECT_EQ(FilesIn(dir), expected);
}

} // namespace vq3::test
