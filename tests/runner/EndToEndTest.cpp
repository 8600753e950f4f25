#include "conversion/ConversionScript.h"
#include "conversion/ConvertFiles.h"
#include "platform/AppInfo.h"
#include "platform/SystemPlatform.h"
#include "runner/ChildProcess.h"
#include "support/CapturedOutput.h"
#include "support/MusicFolder.h"
#include "support/TempDir.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

namespace vq3::runner {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WaitUntil;
using test::WriteFile;

// Debian's madplay serves for madplay.exe.
class EndToEndTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::MakeMusicFolder(appDir.Path(), Mp3Name, WavName), ""); }

    // Runs the written script with the interpreter directly, to read its exit status.
    std::pair<int, std::string> RunScript() {
        std::string output;
        const OutputSink collect = [&](std::string_view text) { output += text; };
        const ProgramOutcome outcome = RunAndWait(
            {AppInfo::AppDir() + "/vq3run", appDir / "vq3mc.bat"}, appDir.Str(), &collect);
        return {outcome.ok ? 0 : 1, output};
    }

    TempDir appDir;
    const std::string Mp3Name = "Intro Theme.mp3";
    const std::string WavName = "100% R&B.wav";
};

class Recorder : public SystemPlatform {
public:
    Recorder() : SystemPlatform([this](const std::string& text) { messages.push_back(text); }) {}
    std::vector<std::string> messages;
};

TEST_F(EndToEndTest, TheLaunchedScriptDecodesEncodesAndTidiesUp) {
    Recorder platform;
    const std::string output = appDir / "output.log";
    {
        test::CapturedOutput captured(output);
        ConvertFiles({appDir / Mp3Name, appDir / WavName}, 2048, appDir.Str(), platform);
    }
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].substr(0, 37), "The conversion process has begun, whe");
    ASSERT_TRUE(WaitUntil(
        [&] {
            return ReadFile(output).find("\nAll files have been converted!\n") != std::string::npos;
        },
        std::chrono::seconds(60)))
        << ReadFile(output);

    EXPECT_EQ(ReadFile(appDir.Path() / "Intro Theme.fda"), "aifr from Intro Theme.wav at 2048\n");
    EXPECT_EQ(ReadFile(appDir.Path() / "100% R&B.fda"), "aifr from 100% R&B.wav at 2048\n");
    EXPECT_FALSE(fs::exists(appDir.Path() / "Intro Theme.wav"));
    EXPECT_TRUE(fs::exists(appDir.Path() / Mp3Name));
    EXPECT_EQ(fs::file_size(appDir.Path() / WavName), 44u + 4410u * 4u);
    EXPECT_EQ(ReadFile(output).find("Not every file"), std::string::npos);

    // The same script, run again directly: the .fda files are there now, so renaming fails.
    fs::remove(appDir.Path() / "100% R&B.fda");
    const auto [status, again] = RunScript();
    EXPECT_EQ(status, 1);
    EXPECT_NE(again.find("'Intro Theme.aifr' cannot be renamed: 'Intro Theme.fda' already exists."),
              std::string::npos)
        << again;
    EXPECT_EQ(ReadFile(appDir.Path() / "100% R&B.fda"), "aifr from 100% R&B.wav at 2048\n");
}

TEST_F(EndToEndTest, AMissingEncoderIsReportedAndNoUserFileIsDeleted) {
    fs::remove(appDir.Path() / "enc.exe");
    const auto lines =
        BuildConversionScript({appDir / Mp3Name, appDir / WavName}, appDir.Str(), 1024);
    Recorder platform;
    ASSERT_TRUE(platform.WriteTextLines(appDir / "vq3mc.bat", lines).ok);
    const auto [status, output] = RunScript();
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("Not every file was converted: 4 lines of the conversion script failed."),
              std::string::npos)
        << output;
    EXPECT_EQ(output.find("\nAll files have been converted!"), std::string::npos);
    EXPECT_TRUE(fs::exists(appDir.Path() / Mp3Name));
    EXPECT_TRUE(fs::exists(appDir.Path() / WavName));
    EXPECT_FALSE(fs::exists(appDir.Path() / "Intro Theme.wav"));
}

TEST_F(EndToEndTest, AScriptWhoseFolderIsGoneRunsNothingAfterIt) {
    Recorder platform;
    const auto lines = BuildConversionScript({appDir / WavName}, appDir / "moved away", 1024);
    ASSERT_TRUE(platform.WriteTextLines(appDir / "vq3mc.bat", lines).ok);
    const auto [status, output] = RunScript();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(output.find("enc.exe"), std::string::npos) << output;
    EXPECT_NE(output.find("Line 1 (cd " + appDir.Str() + "/moved away): the folder '" +
                          appDir.Str() + "/moved away' cannot be found."),
              std::string::npos)
        << output;
    EXPECT_TRUE(fs::exists(appDir.Path() / WavName));
}

} // namespace
} // namespace vq3::runner
