#include "conversion/ConvertFiles.h"
#include "platform/AppInfo.h"
#include "platform/ScriptLauncher.h"
#include "platform/SystemPlatform.h"
#include "support/TempDir.h"
#include "support/Waiting.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WaitUntil;
using test::WriteFile;

// Wine starts its command interpreter slowly the first time.
constexpr std::chrono::seconds Limit(90);

TEST(WindowsLauncherTest, StartsABatchFileInTheGivenFolder) {
    TempDir dir;
    const std::string folder = dir / "R&B 100% (x)!";
    fs::create_directory(FsPath(folder));
    WriteFile(folder + "\\probe.bat", "cd > where.txt\r\n");
    const IoResult launched = LaunchScript(folder + "\\probe.bat", folder);
    ASSERT_TRUE(launched.ok) << launched.reason;
    ASSERT_TRUE(WaitUntil([&] { return !ReadFile(folder + "\\where.txt").empty(); }, Limit));
    EXPECT_EQ(ReadFile(folder + "\\where.txt"), folder + "\r\n");
}

TEST(WindowsLauncherTest, AMissingFolderIsReported) {
    TempDir dir;
    const IoResult launched = LaunchScript(dir / "x.bat", dir / "gone");
    EXPECT_FALSE(launched.ok);
    EXPECT_FALSE(launched.reason.empty());
}

class Recorder : public SystemPlatform {
public:
    Recorder() : SystemPlatform([this](const std::string& text) { messages.push_back(text); }) {}
    std::vector<std::string> messages;
};

// vq3mc.bat in the real command interpreter, with stand-ins for madplay.exe and enc.exe.
TEST(WindowsInterpreterTest, TheWrittenScriptConvertsAwkwardNamesInAnAwkwardFolder) {
    TempDir base;
    const std::string appDir = base / "Conv & 100% (x)";
    fs::create_directory(FsPath(appDir));
    const fs::path tools = FsPath(AppInfo::AppDir());
    fs::copy_file(tools / "vq3_stand_in_decoder.exe", FsPath(appDir + "\\madplay.exe"));
    fs::copy_file(tools / "vq3_stand_in_encoder.exe", FsPath(appDir + "\\enc.exe"));

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

    Recorder platform;
    ConvertFiles(entries, 512, appDir, platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    ASSERT_EQ(platform.messages[0].substr(0, 33), "The conversion process has begun,");

    std::vector<std::string> outputs;
    for (const auto& name : mp3s) {
        outputs.push_back(name.substr(0, name.size() - 3) + "fda");
    }
    for (const auto& name : wavs) {
        outputs.push_back(name.substr(0, name.size() - 3) + "fda");
    }
    ASSERT_TRUE(WaitUntil(
        [&] {
            return std::all_of(outputs.begin(), outputs.end(), [&](const std::string& fda) {
                return fs::exists(FsPath(appDir + "\\" + fda));
            });
        },
        Limit));
    EXPECT_EQ(ReadFile(appDir + "\\Intro Theme.fda"), "aifr from Intro Theme.wav at 512\n");
    EXPECT_EQ(ReadFile(appDir + "\\100% Mix.fda"), "aifr from 100% Mix.wav at 512\n");
    EXPECT_EQ(ReadFile(appDir + "\\R&B ^ Soul.fda"), "aifr from R&B ^ Soul.wav at 512\n");
    EXPECT_EQ(ReadFile(appDir + "\\Boss (Final)!.fda"), "aifr from Boss (Final)!.wav at 512\n");
    EXPECT_EQ(ReadFile(appDir + "\\50%% off ^^ & more.fda"),
              "aifr from 50%% off ^^ & more.wav at 512\n");
    for (const auto& name : mp3s) {
        const std::string stem = name.substr(0, name.size() - 3);
        EXPECT_FALSE(fs::exists(FsPath(appDir + "\\" + stem + "wav"))) << name;
        EXPECT_EQ(ReadFile(appDir + "\\" + name), "ID3") << name;
    }
    for (const auto& name : wavs) {
        EXPECT_EQ(ReadFile(appDir + "\\" + name).size(), 12u) << name;
    }
}

} // namespace
} // namespace vq3
