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
// and enc.exe (the script's runs of every kind are WindowsScriptTest's).
TEST(MainWindowTest, FromStartUpThroughAConversion) {
    TempDir base;
    const std::string appDir = base / "Conv & 100% (x)";
    fs::create_directory(FsPath(appDir));
    const fs::path built = FsPath(AppInfo::AppDir());
    fs::copy_file(built / "vq3_stand_in.exe", FsPath(appDir) / "madplay.exe");
    fs::copy_file(built / "vq3_stand_in.exe", FsPath(appDir) / "enc.exe");
    RecordingPlatform platform;
    platform.startForReal = true;
    MainWindow window(platform, appDir);
    HWND handle = window.Handle();
    // The load sequence's order, and the warning's text, are checked with the Qt front end.
    EXPECT_EQ(FindWindowW(nullptr, L"VQ3 Music Tool 1.4.0"), handle);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(window.BitRate(), 1024);

    RECT client{};
    GetClientRect(handle, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(368L, 412L));
    // At 144 DPI every length is half as long again, rounded half up as twips to pixels are.
    for (const auto& [dpi, fontHeight] : {std::pair(96, -13), std::pair(144, -20)}) {
        const auto scaled = [dpi](int pixels) { return LONG((pixels * dpi * 2 / 96 + 1) / 2); };
        if (dpi != 96) {
            SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0); // staying where it is
        }
        for (const auto& [name, left, top, width, height, text] : ExpectedLayout) {
            HWND control = ControlOf(handle, name);
            RECT r{};
            GetWindowRect(control, &r);
            MapWindowPoints(HWND_DESKTOP, handle, reinterpret_cast<POINT*>(&r), 2);
            wchar_t shown[64] = {};
            GetWindowTextW(control, shown, 64);
            EXPECT_EQ(Narrow(shown), text) << name;
            EXPECT_EQ(std::make_tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
                      std::make_tuple(scaled(left), scaled(top), scaled(width), scaled(height)))
                << name << " at " << dpi;
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

    // A name with a letter beyond ASCII that the code page has, wider than the list, which then
    // scrolls sideways to show it all.
    const std::string track =
        appDir + "\\Caf\xC3\xA9 (Live)! ^ 50%% & more, a name long enough to need scrolling.mp3";
    test::WriteFile(track, "ID3");
    ShowWindow(handle, SW_SHOW);
    HWND list = ControlOf(handle, "lstFiles");
    DropFiles(list, {track});
    EXPECT_EQ(window.ListEntries(), std::vector<std::string>{track});
    EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL, 0);
    // 256 chosen as a user chooses it: the selection, then the notification it sends.
    HWND combo = ControlOf(handle, "cboBitRate");
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    SendMessageW(handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    SendMessageW(ControlOf(handle, "cmdExport"), BM_CLICK, 0, 0);
    EXPECT_EQ(platform.messages.back(), ConversionBegunMessage);
    const std::string stem = track.substr(0, track.size() - 3);
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
}

} // namespace
} // namespace vq3
