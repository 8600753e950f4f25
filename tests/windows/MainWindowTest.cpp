#include "conversion/Script.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"
#include "windows/StandIns.h"
#include "windows/WindowDriving.h"

#include <gtest/gtest.h>
#include <memory>
#include <tuple>

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using test::ControlOf;
using test::RecordingPlatform;
using test::TempDir;

using Rectangle = std::tuple<LONG, LONG, LONG, LONG>; // left, top, width, height

Rectangle InParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(platform, appDir.Str());
        platform.messages.clear();
    }
    HWND Control(const char* name) const { return ControlOf(window->Handle(), name); }

    TempDir appDir;
    RecordingPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST(MainWindowStartTest, WarningComesBeforeTheWindowShowsAndBeforeTheBitRateIsSet) {
    TempDir appDir;
    RecordingPlatform platform;
    std::vector<std::string> seen;
    platform.duringMessage = [&] {
        HWND loading = FindWindowW(nullptr, L"VQ3 Music Tool 1.4.0");
        const MainWindow* form = MainWindow::FromHandle(loading);
        seen = {IsWindowVisible(loading) ? "visible" : "hidden",
                "bit rate " + std::to_string(form != nullptr ? form->BitRate() : -1)};
    };
    MainWindow window(platform, appDir.Str());
    EXPECT_EQ(seen, (std::vector<std::string>{"hidden", "bit rate 0"}));
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{
                  "WARNING:  You MUST copy the *.mp3 or *.wav files you want to convert into the "
                  "same directory as 'vq3mc.exe' or they will NOT be converted!  Be sure to copy "
                  "them into the directory and then drag those files into the VQ3MC window."});
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(test::WindowText(window.Handle()), "VQ3 Music Tool 1.4.0");
    EXPECT_EQ(window.BitRate(), 1024);
}

TEST_F(MainWindowTest, At96DpiControlsSitAtTheirPixelRectanglesWithTheirFontsAndTabOrder) {
    ASSERT_EQ(GetDpiForWindow(window->Handle()), 96u);
    const struct {
        const char* name;
        Rectangle pixels;
        const char* text;
    } controls[] = {
        {"lblDragDrop", {8, 8, 353, 25}, "Drag and drop *.mp3 or *.wav files into the box below."},
        {"lstFiles", {8, 32, 353, 319}, ""},
        {"lblBitRate", {8, 360, 57, 21}, "BitRate"},
        {"cboBitRate", {80, 360, 105, 23}, "1024"},
        {"cmdExport", {272, 360, 89, 33}, "&Convert to .fda"},
        {"lblRec", {8, 392, 177, 17}, "Recommended: 1024"},
    };
    for (const auto& c : controls) {
        HWND control = Control(c.name);
        EXPECT_EQ(InParent(control), c.pixels) << c.name;
        EXPECT_EQ(test::WindowText(control), c.text) << c.name;
        // The form's text font everywhere but on the button, which has the system's.
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(Narrow(font.lfFaceName) == "Times New Roman" && font.lfHeight == -13,
                  std::string_view(c.name) != "cmdExport")
            << c.name;
        // Only the list takes dropped files.
        EXPECT_EQ((GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0,
                  std::string_view(c.name) == "lstFiles")
            << c.name;
    }
    RECT client{};
    GetClientRect(window->Handle(), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(368L, 412L));
    const LONG style = GetWindowLongW(window->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), WS_MINIMIZEBOX);
    EXPECT_EQ(GetWindowLongW(window->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(GetMenu(window->Handle()), nullptr);

    HWND at = Control("lstFiles");
    for (const char* next : {"cmdExport", "cboBitRate", "lstFiles"}) {
        at = GetNextDlgTabItem(window->Handle(), at, FALSE);
        EXPECT_EQ(at, Control(next)) << next;
    }
}

TEST_F(MainWindowTest, ADropListsTheFileInTheFolderUnchangedAndRefusesTheRestInDropOrder) {
    TempDir elsewhere;
    // Beyond the code page, and wider than the list.
    const std::string admitted =
        appDir / "\xE6\x9B\xB2 - A Name Long Enough To Need Scrolling Sideways To Read.mp3";
    test::WriteFile(admitted, "ID3");
    test::WriteFile(elsewhere / "B.mp3", "ID3");
    fs::create_directory(FsPath(appDir / "Album"));
    test::DropFiles(Control("lstFiles"), {admitted, elsewhere / "B.mp3", appDir / "Album"});

    EXPECT_EQ(window->ListEntries(), std::vector<std::string>{admitted});
    const std::string in = "' is not in the application's directory, '" + appDir.Str() + "'.";
    EXPECT_EQ(platform.messages,
              (std::vector<std::string>{"The file 'B.mp3" + in, "The file 'Album" + in}));
    RECT list{};
    GetClientRect(Control("lstFiles"), &list);
    EXPECT_GT(SendMessageW(Control("lstFiles"), LB_GETHORIZONTALEXTENT, 0, 0), list.right);
}

// As a user does it: the window as the program creates it, a drop, 256 chosen, Convert
// pressed; the real launcher starts the written script in the command interpreter.
TEST(MainWindowRoadTest, DropChooseAndConvertLeaveFdaFiles) {
    TempDir appDir;
    test::PutStandIns(appDir.Str());
    const std::vector<std::string> tracks{appDir / "Intro.mp3", appDir / "Boss (Final).wav"};
    test::WriteFile(tracks[0], "ID3");
    test::WriteFile(tracks[1], std::string("RIFF\x24\0\0\0WAVE", 12));
    RecordingPlatform platform;
    platform.startForReal = true;
    MainWindow window(platform, appDir.Str());
    ShowWindow(window.Handle(), SW_SHOW);
    platform.messages.clear();

    test::DropFiles(ControlOf(window.Handle(), "lstFiles"), tracks);
    // 256 chosen as a user chooses it: the selection, then the notification it sends.
    HWND combo = ControlOf(window.Handle(), "cboBitRate");
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    SendMessageW(ControlOf(window.Handle(), "cmdExport"), BM_CLICK, 0, 0);

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].substr(0, 33), "The conversion process has begun,");
    ASSERT_EQ(platform.launches.size(), 1u);
    std::string script;
    for (const auto& line : BuildConversionScript(tracks, appDir.Str(), 256)) {
        script += line + "\r\n";
    }
    EXPECT_EQ(platform.launches[0].scriptPath, appDir / "vq3mc.bat");
    EXPECT_EQ(platform.launches[0].scriptContent, script);

    ASSERT_TRUE(test::WaitForFiles({appDir / "Intro.fda", appDir / "Boss (Final).fda"}));
    EXPECT_EQ(test::ReadFile(appDir / "Intro.fda"), "aifr from Intro.wav at 256\n");
    EXPECT_EQ(test::ReadFile(appDir / "Boss (Final).fda"), "aifr from Boss (Final).wav at 256\n");
}

} // namespace
} // namespace vq3
