#include "conversion/ConvertFiles.h"
#include "platform/ScriptLauncher.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"
#include "windows/StandIns.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(WindowsLauncherTest, AMissingFolderIsReported) {
    TempDir dir;
    const Result launched = LaunchScript(dir / "x.bat", dir / "gone");
    EXPECT_FALSE(launched.ok);
    EXPECT_FALSE(launched.reason.empty());
}

// vq3mc.bat in the real command interpreter, with stand-ins for madplay.exe and enc.exe.
TEST(WindowsInterpreterTest, TheWrittenScriptConvertsAwkwardNamesInAnAwkwardFolder) {
    TempDir base;
    const std::string appDir = base / "Conv & 100% (x)";
    fs::create_directory(FsPath(appDir));
    test::PutStandIns(appDir);

    const std::vector<std::string> mp3s{"Intro Theme.mp3", "100% Mix.mp3", "R&B ^ Soul.mp3",
                                        "Caf\xC3\xA9 (Live)!.mp3"};
    const std::vector<std::string> wavs{"Boss (Final)!.wav", "50%% off ^^ & more.wav"};
    std::vector<std::string> entries;
    for (const auto& name : mp3s) {
        WriteFile(appDir + "\\" + name, "ID3");
        entries.push_back(appDir + "\\" + name);
    }
    for (const auto& name : wavs) {
        WriteFile(appDir + "\\" + name, std::string("RIFF\x24\0\0\0WAVE", 12));
        entries.push_back(appDir + "\\" + name);
    }

    test::RecordingPlatform platform;
    platform.startForReal = true;
    ConvertFiles(entries, 512, appDir, platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    ASSERT_EQ(platform.messages[0].substr(0, 33), "The conversion process has begun,");

    std::vector<std::string> sources = mp3s;
    sources.insert(sources.end(), wavs.begin(), wavs.end());
    std::vector<std::string> fdas;
    for (const auto& name : sources) {
        fdas.push_back(appDir + "\\" + name.substr(0, name.size() - 3) + "fda");
    }
    // An .fda where it belongs means its name reached enc.exe intact; the stand-in's record of
    // its input is in the ANSI code page, so only the bit rate is compared.
    ASSERT_TRUE(test::WaitForFiles(fdas));
    for (size_t i = 0; i < sources.size(); ++i) {
        EXPECT_TRUE(ReadFile(fdas[i]).ends_with(" at 512\n")) << sources[i];
        EXPECT_TRUE(fs::exists(FsPath(appDir + "\\" + sources[i]))) << sources[i];
    }
    for (const auto& name : mp3s) {
        EXPECT_FALSE(fs::exists(FsPath(appDir + "\\" + name.substr(0, name.size() - 3) + "wav")))
            << name;
    }
}

} // namespace
} // namespace vq3
