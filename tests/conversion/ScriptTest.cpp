#include "conversion/Script.h"

#include "conversion/ConvertFiles.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

struct ScriptCase {
    const char* name;
    bool windows;
    const char* appDir;
    std::vector<std::string> entries;
    std::int16_t bitRate;
    std::string bytes; // the file as written
};

class ScriptGoldenTest : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptGoldenTest, WrittenScriptIsByteExact) {
    const ScriptCase& c = GetParam();
    const auto rules = c.windows ? PathRules::Windows() : PathRules::Posix();
    test::TempDir dir;
    ASSERT_TRUE(WriteTextLines(dir / "vq3mc.bat",
                               BuildConversionScript(c.entries, c.appDir, c.bitRate, rules))
                    .ok);
    EXPECT_EQ(test::ReadFile(dir / "vq3mc.bat"), c.bytes);
}

const std::string Tail = "msg * All files have been converted!\r\nexit\r\n";
const std::string Song = "start /b /min /wait madplay.exe -o wave:\"SONG.wav\" \"SONG.MP3\"\r\n"
                         "start /b /min /wait enc.exe \"SONG.wav\" \"SONG.aifr\" 256\r\n"
                         "del \"SONG.wav\"\r\n"
                         "ren \"SONG.aifr\" \"SONG.fda\"\r\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptGoldenTest,
    testing::Values(
        ScriptCase{"WorkedExample", true, "C:\\Tools\\Conv", {"C:\\Tools\\Conv\\Intro.mp3",
                   "C:\\Tools\\Conv\\Battle Theme.WAV", "C:\\Tools\\Conv\\readme.txt"}, 1024,
                   "cd C:\\Tools\\Conv\r\n"
                   "start /b /min /wait madplay.exe -o wave:\"Intro.wav\" \"Intro.mp3\"\r\n"
                   "start /b /min /wait enc.exe \"Intro.wav\" \"Intro.aifr\" 1024\r\n"
                   "del \"Intro.wav\"\r\n"
                   "ren \"Intro.aifr\" \"Intro.fda\"\r\n"
                   "start /b /min /wait enc.exe \"Battle Theme.WAV\" \"Battle Theme.aifr\" 1024\r\n"
                   "ren \"Battle Theme.aifr\" \"Battle Theme.fda\"\r\n" + Tail},
        ScriptCase{"UpperCaseDuplicatesAndForwardSlashes", true, "D:\\M",
                   {"D:/M/SONG.MP3", "D:\\M\\SONG.MP3"}, 256, "cd D:\\M\r\n" + Song + Song + Tail},
        ScriptCase{"OtherEntriesOnlyInAFolderWithOperators", false, "/srv/R&B|x<y>z^w 50% (Live)!",
                   {"/a/Song.txt", "/a/Song.flac", "/a/wave"}, 2048,
                   "cd /srv/R^&B^|x^<y^>z^^w 50%% (Live)!\r\n" + Tail},
        ScriptCase{"PercentDoubledInQuotedNamesOnly", false, "/m", {"/m/100% R&B ^!.mp3"}, 512,
                   "cd /m\r\n"
                   "start /b /min /wait madplay.exe -o wave:\"100%% R&B ^!.wav\" \"100%% R&B ^!.mp3\"\r\n"
                   "start /b /min /wait enc.exe \"100%% R&B ^!.wav\" \"100%% R&B ^!.aifr\" 512\r\n"
                   "del \"100%% R&B ^!.wav\"\r\n"
                   "ren \"100%% R&B ^!.aifr\" \"100%% R&B ^!.fda\"\r\n" + Tail}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct EntryCase {
    const char* entry;
    TrackKind kind;
    const char* descriptor;
};

// Kinds and descriptor paths go by the last three characters (not bytes) and nothing else.
TEST(EntryTest, KindAndDescriptorPathFollowTheLastThreeCharacters) {
    const EntryCase cases[] = {
        {"C:\\Tools\\Conv\\Intro.mp3", TrackKind::Mp3, "C:\\Tools\\Conv\\Intro.lua"},
        {"C:\\Tools\\Conv\\Intro.wav", TrackKind::Wave, "C:\\Tools\\Conv\\Intro.lua"},
        {"/m/xwav", TrackKind::Wave, "/m/xlua"},
        {"wav", TrackKind::Wave, "lua"},
        {"av", TrackKind::Other, "lua"},
        {"", TrackKind::Other, "lua"},
        {"/m/Song.wave", TrackKind::Other, "/m/Song.wlua"},
        {"/m/Song.wav ", TrackKind::Other, "/m/Song.wlua"},
        {"/m/mp\xC3\xA9", TrackKind::Other, "/m/lua"},
        {"/m/\xE6\x97\xA5.\xC3\x89WA", TrackKind::Other, "/m/\xE6\x97\xA5.lua"},
        {"/m/Caf\xC3\xA9wav", TrackKind::Wave, "/m/Caf\xC3\xA9lua"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyTrack(c.entry), c.kind) << c.entry;
        EXPECT_EQ(DescriptorPath(c.entry), c.descriptor) << c.entry;
    }
}

} // namespace
} // namespace vq3
