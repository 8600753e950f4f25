#include "conversion/ConversionScript.h"

#include "platform/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::ReadFile;
using test::TempDir;

std::string WrittenBytes(const std::vector<std::string>& lines) {
    TempDir dir;
    EXPECT_TRUE(WriteTextLines(dir / "vq3mc.bat", lines).ok);
    return ReadFile(dir / "vq3mc.bat");
}

TEST(ConversionScriptTest, WindowsWorkedExampleIsByteExact) {
    const auto lines =
        BuildConversionScript({"C:\\Tools\\Conv\\Intro.mp3", "C:\\Tools\\Conv\\Battle Theme.WAV",
                               "C:\\Tools\\Conv\\readme.txt"},
                              "C:\\Tools\\Conv", 1024, PathRules::Windows());
    EXPECT_EQ(WrittenBytes(lines),
              "cd C:\\Tools\\Conv\r\n"
              "start /b /min /wait madplay.exe -o wave:\"Intro.wav\" \"Intro.mp3\"\r\n"
              "start /b /min /wait enc.exe \"Intro.wav\" \"Intro.aifr\" 1024\r\n"
              "del \"Intro.wav\"\r\n"
              "ren \"Intro.aifr\" \"Intro.fda\"\r\n"
              "start /b /min /wait enc.exe \"Battle Theme.WAV\" \"Battle Theme.aifr\" 1024\r\n"
              "ren \"Battle Theme.aifr\" \"Battle Theme.fda\"\r\n"
              "msg * All files have been converted!\r\n"
              "exit\r\n");
}

TEST(ConversionScriptTest, PosixExampleIsByteExact) {
    const auto lines =
        BuildConversionScript({"/home/ann/VQ3 Tool/Boss Fight.MP3",
                               "/home/ann/VQ3 Tool/Boss Fight.MP3", "/elsewhere/Menu.wav"},
                              "/home/ann/VQ3 Tool", 256, PathRules::Posix());
    const std::string mp3Block =
        "start /b /min /wait madplay.exe -o wave:\"Boss Fight.wav\" \"Boss Fight.MP3\"\r\n"
        "start /b /min /wait enc.exe \"Boss Fight.wav\" \"Boss Fight.aifr\" 256\r\n"
        "del \"Boss Fight.wav\"\r\n"
        "ren \"Boss Fight.aifr\" \"Boss Fight.fda\"\r\n";
    EXPECT_EQ(WrittenBytes(lines),
              "cd /home/ann/VQ3 Tool\r\n" + mp3Block + mp3Block +
                  "start /b /min /wait enc.exe \"Menu.wav\" \"Menu.aifr\" 256\r\n"
                  "ren \"Menu.aifr\" \"Menu.fda\"\r\n"
                  "msg * All files have been converted!\r\n"
                  "exit\r\n");
}

TEST(ConversionScriptTest, OtherEntriesOnlyGiveThreeLines) {
    EXPECT_EQ(
        BuildConversionScript({"/a/Song.txt", "/a/Song.flac"}, "/a", 1024, PathRules::Posix()),
        (std::vector<std::string>{"cd /a", "msg * All files have been converted!", "exit"}));
}

TEST(ConversionScriptTest, AppDirIsUnquotedWithOperatorsEscaped) {
    const auto lines =
        BuildConversionScript({}, "C:\\Rock & Roll 100%", 2048, PathRules::Windows());
    EXPECT_EQ(lines.front(), "cd C:\\Rock ^& Roll 100%%");
}

TEST(ConversionScriptTest, WindowsSeparatorsAreNotFileNamesOnPosix) {
    const auto lines = BuildConversionScript({"/a/x\\y.wav"}, "/a", 1024, PathRules::Posix());
    EXPECT_EQ(lines[1], "start /b /min /wait enc.exe \"x\\y.wav\" \"x\\y.aifr\" 1024");
}

} // namespace
} // namespace vq3
