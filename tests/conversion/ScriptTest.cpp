#include "conversion/Script.h"

#include "conversion/ConvertFiles.h"
#include "platform/AppInfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

// The script as written, byte for byte, against the golden scripts beside the test: the worked
// example, the same on Linux (no code page to set: our own interpreter reads UTF-8 alone; Linux
// words in the failure message), a file listed twice (Windows names fold case), which is one track,
// with awkward names, and an awkward folder with no track.
TEST(ScriptGoldenTest, WrittenScriptIsByteExact) {
    const std::string golden = AppInfo::AppDir() + "/";
    // clang-format off
    const std::tuple<PathRules, std::string, std::vector<std::string>, std::int16_t, std::string> cases[] = {
        {PathRules::Windows(), "C:\\Tools\\Conv", {"C:\\Tools\\Conv\\Intro.mp3", "C:\\Tools\\Conv\\Battle Theme.WAV", "C:\\Tools\\Conv\\readme.txt"}, 1024, test::ReadFile(golden + "WorkedExample.bat")},
        {PathRules::Posix(), "/home/u/Conv", {"/home/u/Conv/Intro.mp3", "/home/u/Conv/Battle Theme.WAV", "/home/u/Conv/readme.txt"}, 1024, test::ReadFile(golden + "LinuxExample.bat")},
        {PathRules::Windows(), "C:\\m", {"C:\\m\\100% R&B ^!.mp3", "C:\\m\\100% r&b ^!.MP3", "C:\\m\\B.wav"}, 512, test::ReadFile(golden + "RepeatedEntries.bat")},
        {PathRules::Posix(), "/srv/R&B|x<y>z^w 50% (Live)!", {"/a/Song.txt", "/a/Song.flac", "/a/wave"}, 2048, "cd /srv/R^&B^|x^<y^>z^^w 50%% (Live)!\r\nmsg * All files have been converted!\r\nexit\r\n"},
    };
    // clang-format on
    for (const auto& [rules, appDir, entries, bitRate, bytes] : cases) {
        SCOPED_TRACE(appDir);
        std::string written;
        for (const std::string& line :
             BuildConversionScript(entries, appDir, bitRate, rules, 850)) {
            written += line + "\r\n";
        }
        EXPECT_EQ(written, bytes);
    }
}

// Kinds and descriptor paths go by the last three characters (not bytes) and nothing else.
TEST(EntryTest, KindAndDescriptorPathFollowTheLastThreeCharacters) {
    // clang-format off
    // clang-format off
    const std::tuple<const char*, TrackKind, const char*, size_t> cases[] = {
        {"C:\\Tools\\Conv\\Intro.mp3", TrackKind::Mp3, "C:\\Tools\\Conv\\Intro.lua", 23}, {"/m/xwav", TrackKind::Wave, "/m/xlua", 7},
        {"wav", TrackKind::Wave, "lua", 3}, {"av", TrackKind::Other, "lua", 2}, {"", TrackKind::Other, "lua", 0},
        {"/m/Song.wave", TrackKind::Other, "/m/Song.wlua", 12}, {"/m/Song.wav ", TrackKind::Other, "/m/Song.wlua", 12}, {"/m/mp\xC3\xA9", TrackKind::Other, "/m/lua", 6},
        {"/m/\xE6\x97\xA5.\xC3\x89WA", TrackKind::Other, "/m/\xE6\x97\xA5.lua", 8}, {"/m/Caf\xC3\xA9wav", TrackKind::Wave, "/m/Caf\xC3\xA9lua", 10}};
    // clang-format on
    for (const auto& [entry, kind, descriptor, characters] : cases) {
        EXPECT_EQ(ClassifyTrack(entry), kind) << entry;
        EXPECT_EQ(DescriptorPath(entry), descriptor) << entry;
        EXPECT_EQ(CharacterCount(entry), characters) << entry;
    }
}

// The progress the script's title shows reads back as it was written; any other title is none.
TEST(TrackTitleTest, ReadsBackWhatItWrites) {
    EXPECT_EQ(ParseTrackTitle(TrackTitle(3, 12, "Intro: 1 of 2.mp3")),
              (TrackProgress{3, 12, "Intro: 1 of 2.mp3"}));
    for (const char* other :
         {"VQ3 Music Tool", "VQ3 Music Tool: 0 of 2: a", "VQ3 Music Tool: 3 of 2: a",
          "VQ3 Music Tool: 1 of 2 a", "VQ3 Music Tool: x of 2: a", "VQ3: 1 of 2: a"}) {
        EXPECT_EQ(ParseTrackTitle(other), std::nullopt) << other;
    }
}

} // namespace
} // namespace vq3
