#include "support/DropEvents.h"
#include "support/MusicFolder.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"
#include "support/Waiting.h"
#include "ui/qt/MainWindow.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::ReadFile;
using test::TempDir;

// The program as main() wires it, with the real launcher and interpreter, Debian's madplay and
// a stand-in encoder; only the message boxes are answered by the test.
TEST(WholeProgramTest, FromStartThroughDropAndConvertToFdaFiles) {
    TempDir appDir;
    TempDir elsewhere;
    ASSERT_EQ(test::MakeMusicFolder(appDir.Path(), "Intro Theme.mp3", "100% R&B.wav"), "");
    test::WriteFile(elsewhere / "Stray.mp3", "mp3");

    test::RecordingPlatform platform;
    platform.startForReal = true;
    MainWindow window(platform, appDir.Str());
    window.show();
    auto* list = window.findChild<QListWidget*>("lstFiles");
    test::Drop(list->viewport(), test::FileDrag({QString::fromStdString(appDir / "Intro Theme.mp3"),
                                                 QString::fromStdString(elsewhere / "Stray.mp3"),
                                                 QString::fromStdString(appDir / "100% R&B.wav")}));
    ASSERT_EQ(list->count(), 2);
    window.findChild<QComboBox*>("cboBitRate")->setCurrentIndex(3);
    window.findChild<QPushButton*>("cmdExport")->click();
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[1],
              "The file 'Stray.mp3' is not in the application's directory, '" + appDir.Str() +
                  "'.");
    EXPECT_EQ(platform.messages[2].substr(0, 33), "The conversion process has begun,");
    const std::string descriptor = "version = 4\r\nvolume = 0.7\r\nrandSampContainer = 0\r\n";
    EXPECT_EQ(ReadFile(appDir / "Intro Theme.lua"), descriptor);
    EXPECT_EQ(ReadFile(appDir / "100% R&B.lua"), descriptor);

    // The script runs in a process of its own, which the program never waits for.
    const auto fda = [&](const char* name) { return ReadFile(appDir / name); };
    EXPECT_TRUE(test::WaitUntil(
        [&] { return !fda("Intro Theme.fda").empty() && !fda("100% R&B.fda").empty(); },
        std::chrono::seconds(60)));
    EXPECT_EQ(fda("Intro Theme.fda"), "aifr from Intro Theme.wav at 256\n");
    EXPECT_EQ(fda("100% R&B.fda"), "aifr from 100% R&B.wav at 256\n");
    EXPECT_FALSE(std::filesystem::exists(appDir.Path() / "Intro Theme.wav"));
    // The runner started in the music folder and held that folder's lock there.
    EXPECT_TRUE(std::filesystem::exists(appDir.Path() / "vq3mc.lock"));
    EXPECT_TRUE(std::filesystem::exists(appDir.Path() / "Intro Theme.mp3"));
    EXPECT_EQ(std::filesystem::file_size(appDir.Path() / "100% R&B.wav"), 44u + 4410u * 4u);
}

} // namespace
} // namespace vq3
