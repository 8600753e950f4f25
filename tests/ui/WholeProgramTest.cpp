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

// The program as main() wires it, with real message boxes answered by a stand-in user, the
// real launcher and interpreter, Debian's madplay and a stand-in encoder.
TEST(WholeProgramTest, FromStartThroughDropAndConvertToFdaFiles) {
    TempDir appDir;
    TempDir elsewhere;
    ASSERT_EQ(test::MakeMusicFolder(appDir.Path(), "Intro Theme.mp3", "100% R&B.wav"), "");
    test::WriteFile(elsewhere / "Stray.mp3", "mp3");

    MessageAnswerer user;
    SystemPlatform platform(vq3::ShowMessage);
    frmVQ3MCMain window(platform, appDir.Str());
    ASSERT_EQ(user.seen.size(), 1u);
    EXPECT_EQ(user.seen[0].caption, "VQ3 Music Tool");
    EXPECT_EQ(user.seen[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(user.seen[0].text.substr(0, 10), "WARNING:  ");
    window.show();

    auto* list = window.findChild<QListWidget*>("lstFiles");
    test::Drop(list->viewport(), test::FileDrag({QString::fromStdString(appDir / "Intro Theme.mp3"),
                                                 QString::fromStdString(elsewhere / "Stray.mp3"),
                                                 QString::fromStdString(appDir / "100% R&B.wav")}));
    ASSERT_EQ(user.seen.size(), 2u);
    EXPECT_EQ(user.seen[1].text, "The file 'Stray.mp3' is not in the application's directory, '" +
                                     appDir.Str() + "'.");
    ASSERT_EQ(list->count(), 2);

    window.findChild<QPushButton*>("cmdExport")->click();
    ASSERT_EQ(user.seen.size(), 3u);
    EXPECT_EQ(user.seen[2].text,
              "The conversion process has begun, when the Command Prompt window (currently "
              "minimized) closes itself, your music files will all be converted properly.  You can "
              "now close VQ3MC while the conversion process runs.");
    const std::string descriptor = "version = 4\r\nvolume = 0.7\r\nrandSampContainer = 0\r\n";
    EXPECT_EQ(ReadFile(appDir / "Intro Theme.lua"), descriptor);
    EXPECT_EQ(ReadFile(appDir / "100% R&B.lua"), descriptor);
    EXPECT_NE(ReadFile(appDir / "vq3mc.bat").find("wave:\"Intro Theme.wav\" \"Intro Theme.mp3\""),
              std::string::npos);

    // The script runs in a process of its own, which the program never waits for.
    const auto fda = [&](const char* name) { return ReadFile(appDir / name); };
    EXPECT_TRUE(test::WaitUntil(
        [&] { return !fda("Intro Theme.fda").empty() && !fda("100% R&B.fda").empty(); },
        std::chrono::seconds(60)));
    EXPECT_EQ(fda("Intro Theme.fda"), "aifr from Intro Theme.wav at 1024\n");
    EXPECT_EQ(fda("100% R&B.fda"), "aifr from 100% R&B.wav at 1024\n");
    EXPECT_FALSE(std::filesystem::exists(appDir.Path() / "Intro Theme.wav"));
    EXPECT_TRUE(std::filesystem::exists(appDir.Path() / "Intro Theme.mp3"));
    EXPECT_EQ(std::filesystem::file_size(appDir.Path() / "100% R&B.wav"), 44u + 4410u * 4u);
}

} // namespace
} // namespace vq3
