#include "conversion/Script.h"

#include "conversion/ConvertFiles.h"
#include "platform/AppInfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace vq3 {
namespace {

// The script as written, byte for byte: the worked example (WorkedExample.bat beside the test),
// then awkward folders and names, and the words of a failed run on each platform.
TEST(ScriptGoldenTest, WrittenScriptIsByteExact) {
    const std::string tail = "msg * All files have been converted!\r\nexit\r\n";
    const struct {
        bool windows;
        const char* appDir;
        std::vector<std::string> entries;
        std::int16_t bitRate;
        std::string bytes; // or, behind "...", lines that stand in it in this order
    } cases[] = {
        // clang-format off
        {true, "C:\\Tools\\Conv", {"C:\\Tools\\Conv\\Intro.mp3", "C:\\Tools\\Conv\\Battle Theme.WAV",
         "C:\\Tools\\Conv\\readme.txt"}, 1024, test::ReadFile(AppInfo::AppDir() + "/WorkedExample.bat")},
        // Our own interpreter reads UTF-8 alone: no code page to set.
        {false, "/srv/R&B|x<y>z^w 50% (Live)!", {"/a/Song.txt", "/a/Song.flac", "/a/wave"}, 2048,
         "cd /srv/R^&B^|x^<y^>z^^w 50%% (Live)!\r\n" + tail},
        {false, "/m", {"/m/A.wav"}, 256, "...msg * Not every file was converted: %VQ3_NOT_CONVERTED% of 1 failed.  "
         "The conversion window shows which and why; press a key there to close it.\r\n"},
        // The same file twice (Windows names fold case): the second is skipped once converted.
        {true, "C:\\m", {"C:\\m\\100% R&B ^!.mp3", "C:\\m\\100% r&b ^!.MP3"}, 512,
         "...title VQ3 Music Tool: 1 of 2: 100%% R^&B ^^!.mp3\r\n"
         "start /b /min /wait madplay.exe -o wave:\"100%% R&B ^!.wav\" \"100%% R&B ^!.mp3\"\r\n"
         "start /b /min /wait enc.exe \"100%% R&B ^!.wav\" \"100%% R&B ^!.aifr\" 512\r\n"
         "del \"100%% R&B ^!.wav\"\r\nif not exist \"100%% R&B ^!.aifr\" goto vq3_1_no_aifr\r\n"
         "ren \"100%% R&B ^!.aifr\" \"100%% R&B ^!.fda\"\r\n"
         "if exist \"100%% R&B ^!.aifr\" goto vq3_1_not_renamed\r\n"
         "if exist \"100%% R&B ^!.wav\" del \"100%% R&B ^!.wav\"\r\n"
         "title VQ3 Music Tool: 2 of 2: 100%% r^&b ^^!.MP3\r\n"
         "if exist \"100%% r&b ^!.fda\" goto vq3_3\r\n"
         "if defined VQ3_FAILED_1 echo \"100%% R&B ^!.mp3\": %VQ3_FAILED_1%\r\n"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.appDir);
        test::TempDir dir;
        const auto rules = c.windows ? PathRules::Windows() : PathRules::Posix();
        ASSERT_TRUE(WriteTextLines(dir / "vq3mc.bat", BuildConversionScript(c.entries, c.appDir,
                                                                            c.bitRate, rules, 850))
                        .ok);
        const std::string written = test::ReadFile(dir / "vq3mc.bat");
        if (!c.bytes.starts_with("...")) {
            EXPECT_EQ(written, c.bytes);
            continue;
        }
        std::istringstream lines(c.bytes.substr(3));
        size_t at = 0;
        for (std::string line; std::getline(lines, line);) {
            at = written.find(line + "\n", at);
            ASSERT_NE(at, std::string::npos) << line << " is not in\n" << written;
            at += line.size();
        }
    }
}

// Kinds and descriptor paths go by the last three characters (not bytes) and nothing else.
TEST(EntryTest, KindAndDescriptorPathFollowTheLastThreeCharacters) {
    // clang-format off
    const std::tuple<const char*, TrackKind, const char*, size_t> cases[] = {
        {"C:\\Tools\\Conv\\Intro.mp3", TrackKind::Mp3, "C:\\Tools\\Conv\\Intro.lua", 23},
        {"/m/xwav", TrackKind::Wave, "/m/xlua", 7}, {"wav", TrackKind::Wave, "lua", 3},
        {"av", TrackKind::Other, "lua", 2}, {"", TrackKind::Other, "lua", 0},
        {"/m/Song.wave", TrackKind::Other, "/m/Song.wlua", 12},
        {"/m/Song.wav ", TrackKind::Other, "/m/Song.wlua", 12},
        {"/m/mp\xC3\xA9", TrackKind::Other, "/m/lua", 6},
        {"/m/\xE6\x97\xA5.\xC3\x89WA", TrackKind::Other, "/m/\xE6\x97\xA5.lua", 8},
        {"/m/Caf\xC3\xA9wav", TrackKind::Wave, "/m/Caf\xC3\xA9lua", 10}};
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
