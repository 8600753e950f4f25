#include "conversion/ConversionScript.h"
#include "platform/AppInfo.h"
#include "platform/TextFile.h"
#include "runner/ChildProcess.h"
#include "support/MusicFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3::runner {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;

// The interpreter as a program: its exit status and what it reports, with Debian's madplay.
class EndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::MakeMusicFolder(appDir.Path(), "Intro Theme.mp3", "100% R&B.wav"), "");
        const auto lines = BuildConversionScript(
            {appDir / "Intro Theme.mp3", appDir / "100% R&B.wav"}, appDir.Str(), 1024);
        ASSERT_TRUE(WriteTextLines(appDir / "vq3mc.bat", lines).ok);
    }

    std::pair<bool, std::string> RunScript() {
        std::string output;
        const OutputSink collect = [&](std::string_view text) { output += text; };
        const ProgramOutcome outcome = RunAndWait(
            {AppInfo::AppDir() + "/vq3run", appDir / "vq3mc.bat"}, appDir.Str(), &collect);
        return {outcome.ok, output};
    }

    TempDir appDir;
};

TEST_F(EndToEndTest, ACompleteRunExitsZeroWithTheCompletionMessage) {
    const auto [ok, output] = RunScript();
    EXPECT_TRUE(ok) << output;
    EXPECT_NE(output.find("\nAll files have been converted!\n"), std::string::npos) << output;
    EXPECT_EQ(ReadFile(appDir / "Intro Theme.fda"), "aifr from Intro Theme.wav at 1024\n");
}

TEST_F(EndToEndTest, AMissingEncoderIsReportedAndNoUserFileIsDeleted) {
    fs::remove(appDir.Path() / "enc.exe");
    const auto [ok, output] = RunScript();
    EXPECT_FALSE(ok);
    EXPECT_NE(output.find("Not every file was converted: 4 lines of the conversion script failed."),
              std::string::npos)
        << output;
    EXPECT_EQ(output.find("\nAll files have been converted!"), std::string::npos);
    EXPECT_TRUE(fs::exists(appDir.Path() / "Intro Theme.mp3"));
    EXPECT_TRUE(fs::exists(appDir.Path() / "100% R&B.wav"));
    EXPECT_FALSE(fs::exists(appDir.Path() / "Intro Theme.wav"));
}

TEST_F(EndToEndTest, RenamingOntoAnExistingFdaFailsAndKeepsIt) {
    test::WriteFile(appDir / "Intro Theme.fda", "earlier");
    const auto [ok, output] = RunScript();
    EXPECT_FALSE(ok);
    EXPECT_NE(
        output.find("'Intro Theme.aifr' cannot be renamed: 'Intro Theme.fda' already exists."),
        std::string::npos)
        << output;
    EXPECT_EQ(ReadFile(appDir / "Intro Theme.fda"), "earlier");
}

} // namespace
} // namespace vq3::runner
