#include "conversion/Messages.h"
#include "platform/AppInfo.h"
#include "support/ExpectedLayout.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"
#include "support/Waiting.h"
#include "windows/WindowDriving.h"

#include <gtest/gtest.h>
#include <tuple>

namespace vq3 {
namespace {

namespace fs = std::filesystem;
// ReadFile and WriteFile stay qualified: Windows has functions of those names.
using namespace test;

// A user's session: the window opens after its warning, laid out at 96 DPI and again on a monitor
// of 144; in a folder whose name means something to the command interpreter, a drop, 256 chosen
// and Convert pressed start the written script in Wine's cmd.exe, with stand-ins for madplay.exe
// and enc.exe (the script's runs of every kind are WindowsScriptTest's); then a long name.
TEST(MainWindowTest, FromStartUpThroughAConversionToADropWithRefusals) {
    TempDir base;
    const std::string appDir = base / "Conv & 100% (x)";
    fs::create_directory(FsPath(appDir));
    const fs::path built = FsPath(AppInfo::AppDir());
    fs::copy_file(built / "vq3_stand_in.exe", FsPath(appDir) / "madplay.exe");
    fs::copy_file(built / "vq3_stand_in.exe", FsPath(appDir) / "enc.exe");
    RecordingPlatform platform;
    platform.startForReal = true;
    std::vector<std::string> seen;
    platform.duringMessage = [&] {
        HWND loading = FindWindowW(nullptr, L"VQ3 Music Tool 1.4.0");
        const MainWindow* form = MainWindow::FromHandle(loading);
        seen = {IsWindowVisible(loading) ? "visible" : "hidden",
                "bit rate " + std::to_string(form != nullptr ? form->BitRate() : -1)};
    };
    MainWindow window(platform, appDir);
    HWND handle = window.Handle();
    // The caption was set before the warning (the window was found by it); the warning's text is
    // the form's, checked with the Qt front end.
    EXPECT_EQ(seen, (std::vector<std::string>{"hidden", "bit rate 0"}));
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(window.BitRate(), 1024);

    ASSERT_EQ(GetDpiForWindow(handle), 96u);
    RECT client{};
    GetClientRect(handle, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(368L, 412L));
    // At 144 DPI every length is half as long again, rounded half up as twips to pixels are.
    for (const auto& [dpi, fontHeight] : {std::pair(96, -13), std::pair(144, -20)}) {
        const auto scaled = [dpi](int pixels) { return LONG((pixels * dpi * 2 / 96 + 1) / 2); };
        if (dpi != 96) {
            RECT frame{};
            GetWindowRect(handle, &frame);
            SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&frame));
        }
        for (const auto& [name, left, top, width, height, text] : ExpectedLayout) {
            HWND control = ControlOf(handle, name);
            RECT r{};
            GetWindowRect(control, &r);
            MapWindowPoints(HWND_DESKTOP, handle, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(std::make_tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
                      std::make_tuple(scaled(left), scaled(top), scaled(width), scaled(height)))
                << name << " at " << dpi;
            wchar_t shown[64] = {};
            GetWindowTextW(control, shown, 64);
            EXPECT_EQ(Narrow(shown), text) << name;
            // The form's text font everywhere but on the button, which has the system's.
            LOGFONTW font{};
            GetObjectW(HFONT(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
            const bool textFont =
                Narrow(font.lfFaceName) == "Times New Roman" && font.lfHeight == fontHeight;
            EXPECT_EQ(textFont, name != "cmdExport") << name << " at " << dpi;
            // Only the list takes dropped files.
            const bool takesFiles = GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_ACCEPTFILES;
            EXPECT_EQ(takesFiles, name == "lstFiles") << name;
        }
    }
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_VISIBLE),
              WS_MINIMIZEBOX);
    EXPECT_EQ(GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(GetMenu(handle), nullptr);
    HWND at = ControlOf(handle, "lstFiles");
    for (const char* next : {"cmdExport", "cboBitRate", "lstFiles"}) {
        at = GetNextDlgTabItem(handle, at, FALSE);
        EXPECT_EQ(at, ControlOf(handle, next)) << next;
    }

    // A name with a letter beyond ASCII that the code page has.
    std::vector<std::string> tracks{appDir + "\\Caf\xC3\xA9 (Live)! ^ 50%% & more.mp3"};
    test::WriteFile(tracks[0], "ID3");
    ShowWindow(handle, SW_SHOW);
    HWND list = ControlOf(handle, "lstFiles");
    DropFiles(list, tracks);
    // 256 chosen as a user chooses it: the selection, then the notification it sends.
    HWND combo = ControlOf(handle, "cboBitRate");
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    SendMessageW(handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    SendMessageW(ControlOf(handle, "cmdExport"), BM_CLICK, 0, 0);
    EXPECT_EQ(platform.messages.back(), ConversionBegunMessage);
    const std::string stem = tracks[0].substr(0, tracks[0].size() - 3);
    // Wine starts its command interpreter slowly the first time; the window's messages are
    // handled meanwhile.
    const auto converted = [&] {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
        return fs::exists(FsPath(stem + "fda"));
    };
    ASSERT_TRUE(WaitUntil(converted, std::chrono::seconds(90)));
    // The stand-in records its input in the ANSI code page: only the bit rate is compared.
    EXPECT_TRUE(test::ReadFile(stem + "fda").ends_with(" at 256\n"));
    EXPECT_FALSE(fs::exists(FsPath(stem + "wav")));

    // Wider than the list, which then scrolls sideways to show it all.
    const std::string wide =
        appDir + "\\\xC3\x89t\xC3\xA9 - A Name Long Enough To Need Scrolling Sideways To Read.mp3";
    test::WriteFile(wide, "ID3");
    DropFiles(list, {wide});
    tracks.push_back(wide);
    EXPECT_EQ(window.ListEntries(), tracks);
    EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL, 0);
}

} // namespace
} // namespace vq3
