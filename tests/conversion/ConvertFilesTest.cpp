#include "conversion/ConvertFiles.h"

#include "support/RecordingPlatform.h"
#include "support/SystemReasons.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::ReadFile;
using test::RecordingPlatform;
using test::TempDir;
using test::WriteFile;

const std::string Descriptor = "version = 4\r\nvolume = 0.7\r\nrandSampContainer = 0\r\n";
const std::string Begun =
    "The conversion process has begun, when the Command Prompt window (currently minimized) "
    "closes itself, your music files will all be converted properly.  You can now close VQ3MC "
    "while the conversion process runs.";

class ConvertFilesTest : public testing::Test {
protected:
    std::string Put(const std::string& name, const std::string& content = "audio") {
        WriteFile(appDir / name, content);
        return appDir / name;
    }
    void Convert(const std::vector<std::string>& entries, std::int16_t bitRate = 1024) {
        ConvertFiles(entries, bitRate, appDir.Str(), platform);
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& item : std::filesystem::directory_iterator(appDir.Path())) {
            names.push_back(item.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Script() const { return ReadFile(appDir / "vq3mc.bat"); }

    TempDir appDir;
    RecordingPlatform platform;
};

TEST_F(ConvertFilesTest, EmptyListShowsOneMessageAndWritesNothing) {
    Convert({});
    EXPECT_EQ(platform.messages, std::vector<std::string>{"No files to convert!"});
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(ConvertFilesTest, OtherOnlyListWritesDescriptorAndThreeLineScriptThenLaunches) {
    const std::string song = Put("Song.txt");
    Convert({song});
    EXPECT_EQ(ReadFile(appDir / "Song.lua"), Descriptor);
    EXPECT_EQ(ReadFile(appDir / "Song.lua").size(), 50u);
    EXPECT_EQ(Script(),
              "cd " + appDir.Str() + "\r\nmsg * All files have been converted!\r\nexit\r\n");
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].scriptPath, appDir / "vq3mc.bat");
    EXPECT_EQ(platform.launches[0].workingDir, appDir.Str());
    EXPECT_EQ(platform.messages, std::vector<std::string>{Begun});
}

TEST_F(ConvertFilesTest, SecondPressRewritesTheSameFilesAndLaunchesAgain) {
    const std::vector<std::string> entries{Put("A.mp3"), Put("B.wav")};
    Convert(entries);
    const std::string first = Script();
    Convert(entries);
    EXPECT_EQ(Script(), first);
    ASSERT_EQ(platform.launches.size(), 2u);
    EXPECT_EQ(platform.launches[1].scriptContent, first);
    EXPECT_EQ(platform.messages, (std::vector<std::string>{Begun, Begun}));
    EXPECT_EQ(Files(), (std::vector<std::string>{"A.lua", "A.mp3", "B.lua", "B.wav", "vq3mc.bat"}));
}

TEST_F(ConvertFilesTest, ExistingScriptAndDescriptorAreReplacedNotAppended) {
    Put("vq3mc.bat", std::string(5000, 'x'));
    Put("Intro.lua", std::string(300, 'y'));
    Convert({Put("Intro.wav")}, 2048);
    EXPECT_EQ(ReadFile(appDir / "Intro.lua"), Descriptor);
    EXPECT_EQ(Script(), "cd " + appDir.Str() +
                            "\r\nstart /b /min /wait enc.exe \"Intro.wav\" \"Intro.aifr\" 2048\r\n"
                            "ren \"Intro.aifr\" \"Intro.fda\"\r\n"
                            "msg * All files have been converted!\r\nexit\r\n");
}

TEST_F(ConvertFilesTest, ListedLuaFilesAreNeverOverwrittenByDescriptors) {
    const std::string ownLua = Put("Intro.lua", "-- my own settings");
    const std::string selfMapped = Put("Notes.lua", "keep me");
    Convert({Put("Intro.mp3"), ownLua, selfMapped, Put("Other.wav")});
    EXPECT_EQ(ReadFile(ownLua), "-- my own settings");
    EXPECT_EQ(ReadFile(selfMapped), "keep me");
    EXPECT_EQ(ReadFile(appDir / "Other.lua"), Descriptor);
    EXPECT_EQ(platform.launches.size(), 1u);
}

TEST_F(ConvertFilesTest, Mp3WhoseWaveAlreadyExistsStopsEverything) {
    Put("vq3mc.bat", "old script");
    Put("Song.wav", "user's own recording");
    Put("Other.wav", "another one");
    Convert({Put("Song.mp3"), Put("Fine.mp3"), Put("Other.mp3"), appDir / "Song.mp3"});
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{
                  "Converting would overwrite and then delete 'Song.wav' and 'Other.wav' in the "
                  "application's directory, '" +
                  appDir.Str() +
                  "', because the *.mp3 files of the same names are first decoded to those "
                  "files.  Move or rename them, then convert again.  Nothing was converted."});
    EXPECT_EQ(ReadFile(appDir / "Song.wav"), "user's own recording");
    EXPECT_EQ(Script(), "old script");
    EXPECT_FALSE(std::filesystem::exists(appDir / "Fine.lua"));
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(ConvertFilesTest, WaveEntryNextToItsOwnFileIsNoCollision) {
    Convert({Put("Song.wav")});
    EXPECT_EQ(platform.messages, std::vector<std::string>{Begun});
}

TEST_F(ConvertFilesTest, NamesTheScriptCannotCarryAreRefusedBeforeAnythingIsWritten) {
    platform.uncarryable.insert("\xE2\x98\x83.mp3");
    Convert({Put("Good.mp3"), appDir / "Say \"Hi\".mp3", appDir / "Tab\there.wav",
             Put("\xE2\x98\x83.mp3"), appDir / "Line\nbreak.txt"});
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{
                  "These files cannot be named in the conversion script: 'Say \"Hi\".mp3', "
                  "'Tab?here.wav' and '\xE2\x98\x83.mp3'.  A name in the conversion script may not "
                  "hold a double quote, a control character or a character the Command Prompt "
                  "cannot show.  Rename them, then convert again.  Nothing was converted."});
    EXPECT_FALSE(std::filesystem::exists(appDir / "Good.lua"));
    EXPECT_FALSE(std::filesystem::exists(appDir / "vq3mc.bat"));
    EXPECT_TRUE(platform.launches.empty());
}

#ifndef _WIN32
TEST_F(ConvertFilesTest, AppDirTheScriptCannotCarryIsRefused) {
    const std::string oddDir = appDir / "new\nline";
    std::filesystem::create_directory(oddDir);
    ConvertFiles({oddDir + "/A.wav"}, 1024, oddDir, platform, PathRules::Posix());
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{
                  "The application's directory, '" + appDir.Str() +
                  "/new?line', cannot be named in the conversion script.  A name in the "
                  "conversion script may not hold a double quote, a control character or a "
                  "character the Command Prompt cannot show.  Move VQ3MC and your music files to "
                  "another directory.  Nothing was converted."});
    EXPECT_TRUE(std::filesystem::is_empty(oddDir));
}
#endif

TEST_F(ConvertFilesTest, ManyRefusedNamesAreCountedRatherThanAllListed) {
    std::vector<std::string> entries;
    for (int i = 0; i < 12; ++i) {
        entries.push_back(appDir / ("\"" + std::to_string(i) + ".mp3"));
    }
    Convert(entries);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("'\"9.mp3' and 2 more."), std::string::npos);
}

TEST_F(ConvertFilesTest, DescriptorWriteFailureStopsBeforeTheScript) {
    Put("vq3mc.bat", "old script");
    std::filesystem::create_directory(appDir / "B.lua");
    Convert({Put("A.mp3"), Put("B.mp3"), Put("C.mp3")});
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"The file '" + (appDir / "B.lua") +
                                       "' could not be written: " + test::DirectoryInTheWay +
                                       ".  The conversion was not started."});
    EXPECT_EQ(ReadFile(appDir / "A.lua"), Descriptor);
    EXPECT_FALSE(std::filesystem::exists(appDir / "C.lua"));
    EXPECT_EQ(Script(), "old script");
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(ConvertFilesTest, DescriptorInAMissingFolderIsReported) {
    Convert({appDir / "gone/readme.txt"});
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"The file '" + (appDir / "gone/readme.lua") +
                                       "' could not be written: " + test::NoSuchFile +
                                       ".  The conversion was not started."});
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(ConvertFilesTest, ScriptWriteFailureIsReportedAndNothingIsLaunched) {
    std::filesystem::create_directory(appDir / "vq3mc.bat");
    Convert({Put("A.wav")});
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"The file '" + (appDir / "vq3mc.bat") +
                                       "' could not be written: " + test::DirectoryInTheWay +
                                       ".  The conversion was not started."});
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(ConvertFilesTest, LaunchFailureReplacesTheNotice) {
    platform.launchFailure = "No such file or directory";
    Convert({Put("A.wav")});
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"The conversion script '" + (appDir / "vq3mc.bat") +
                                       "' could not be started: No such file or directory.  No "
                                       "files will be converted."});
}

} // namespace
} // namespace vq3
