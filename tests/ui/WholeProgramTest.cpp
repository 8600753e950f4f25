#include "platform/MessageBox.h"
#include "platform/SystemPlatform.h"
#include "support/DropEvents.h"
#include "support/MessageAnswerer.h"
#include "support/MusicFolder.h"
#include "support/TempDir.h"
#include "support/Waiting.h"
#include "ui/frmVQ3MCMain.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::MessageAnswerer;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The program as main() wires it, but for the launch, which is only noted here.
class NotedLaunchPlatform : public SystemPlatform {
public:
    NotedLaunchPlatform() : SystemPlatform(vq3::ShowMessage) {}
    IoResult LaunchScript(const std::string& scriptPath, const std::string& workingDir) override {
        launches.push_back(scriptPath + " in " + workingDir);
        return IoResult::Success();
    }
    std::vector<std::string> launches;
};

TEST(WholeProgramTest, FromStartThroughDropToConvert) {
    TempDir appDir;
    TempDir elsewhere;
    WriteFile(appDir.Path() / "Intro.mp3", "mp3");
    WriteFile(appDir.Path() / "Battle Theme.WAV", "wav");
    WriteFile(elsewhere.Path() / "Stray.mp3", "mp3");

    MessageAnswerer user;
    NotedLaunchPlatform platform;
    frmVQ3MCMain window(platform, appDir.Str());
    ASSERT_EQ(user.seen.size(), 1u);
    EXPECT_EQ(user.seen[0].caption, "VQ3 Music Tool");
    EXPECT_EQ(user.seen[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(user.seen[0].text.substr(0, 10), "WARNING:  ");
    window.show();

    auto* list = window.findChild<QListWidget*>("lstFiles");
    test::Drop(list->viewport(),
               test::FileDrag({QString::fromStdString(appDir / "Intro.mp3"),
                               QString::fromStdString(elsewhere / "Stray.mp3"),
                               QString::fromStdString(appDir / "Battle Theme.WAV")}));
    ASSERT_EQ(user.seen.size(), 2u);
    EXPECT_EQ(user.seen[1].text, "The file 'Stray.mp3' is not in the application's directory, '" +
                                     appDir.Str() + "'.");
    ASSERT_EQ(list->count(), 2);

    window.findChild<QPushButton*>("cmdExport")->click();
    const std::string descriptor = "version = 4\r\nvolume = 0.7\r\nrandSampContainer = 0\r\n";
    EXPECT_EQ(ReadFile(appDir / "Intro.lua"), descriptor);
    EXPECT_EQ(ReadFile(appDir / "Battle Theme.lua"), descriptor);
    EXPECT_EQ(ReadFile(appDir / "vq3mc.bat"),
              "cd " + appDir.Str() +
                  "\r\n"
                  "start /b /min /wait madplay.exe -o wave:\"Intro.wav\" \"Intro.mp3\"\r\n"
                  "start /b /min /wait enc.exe \"Intro.wav\" \"Intro.aifr\" 1024\r\n"
                  "del \"Intro.wav\"\r\n"
                  "ren \"Intro.aifr\" \"Intro.fda\"\r\n"
                  "start /b /min /wait enc.exe \"Battle Theme.WAV\" \"Battle Theme.aifr\" 1024\r\n"
                  "ren \"Battle Theme.aifr\" \"Battle Theme.fda\"\r\n"
                  "msg * All files have been converted!\r\n"
                  "exit\r\n");
    EXPECT_EQ(platform.launches,
              std::vector<std::string>{(appDir / "vq3mc.bat") + " in " + appDir.Str()});
    ASSERT_EQ(user.seen.size(), 3u);
    EXPECT_EQ(user.seen[2].text,
              "The conversion process has begun, when the Command Prompt window (currently "
              "minimized) closes itself, your music files will all be converted properly.  You can "
              "now close VQ3MC while the conversion process runs.");
}

TEST(WholeProgramTest, DroppedMusicComesOutAsFdaFiles) {
    TempDir appDir;
    ASSERT_EQ(test::MakeMusicFolder(appDir.Path(), "Boss Fight.mp3", "Menu.wav"), "");

    MessageAnswerer user;
    SystemPlatform platform(vq3::ShowMessage);
    frmVQ3MCMain window(platform, appDir.Str());
    window.show();
    test::Drop(window.findChild<QListWidget*>("lstFiles")->viewport(),
               test::FileDrag({QString::fromStdString(appDir / "Boss Fight.mp3"),
                               QString::fromStdString(appDir / "Menu.wav")}));
    window.findChild<QPushButton*>("cmdExport")->click();
    ASSERT_EQ(user.seen.size(), 2u);
    EXPECT_EQ(user.seen[1].text.substr(0, 33), "The conversion process has begun,");

    // The script runs in a process of its own, which the program never waits for.
    const auto fda = [&](const char* name) { return ReadFile(appDir.Path() / name); };
    EXPECT_TRUE(
        test::WaitUntil([&] { return !fda("Boss Fight.fda").empty() && !fda("Menu.fda").empty(); },
                        std::chrono::seconds(60)));
    EXPECT_EQ(fda("Boss Fight.fda"), "aifr from Boss Fight.wav at 1024\n");
    EXPECT_EQ(fda("Menu.fda"), "aifr from Menu.wav at 1024\n");
    EXPECT_FALSE(std::filesystem::exists(appDir.Path() / "Boss Fight.wav"));
}

} // namespace
} // namespace vq3
