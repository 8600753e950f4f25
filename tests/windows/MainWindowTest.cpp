#include "conversion/Messages.h"
#include "platform/AppInfo.h"
#include "support/ExpectedLayout.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"
#include "support/Waiting.h"
#include "windows/WindowDriving.h"

#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace vq3 {
namespace {

namespace fs = std::filesystem;
// ReadFile and WriteFile stay qualified: Windows has functions of those names.
using namespace test;

std::string WindowText(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return Narrow(text);
}

// The dark pixels that `draw` leaves in `area` of a white canvas, row by row, each row cut to
// its first and last dark pixel: the shapes of the text drawn there.
std::vector<std::string> Ink(const std::function<void(HDC)>& draw, RECT area) {
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, CreateBitmap(200, 100, 1, 32, nullptr));
    PatBlt(dc, 0, 0, 200, 100, WHITENESS);
    draw(dc);
    std::vector<std::string> rows;
    for (LONG y = area.top; y < area.bottom; ++y) {
        std::string row;
        for (LONG x = area.left; x < area.right; ++x) {
            row += GetRValue(GetPixel(dc, x, y)) < 128 ? '#' : '.';
        }
        if (row.find('#') != std::string::npos) {
            rows.push_back(row.substr(row.find('#'), row.rfind('#') + 1 - row.find('#')));
        }
    }
    DeleteObject(SelectObject(dc, previous));
    DeleteDC(dc);
    return rows;
}

// A user's session: the window opens after its warning, laid out at 96 DPI; in a folder whose
// name means something to the command interpreter, a drop, 256 chosen and Convert pressed start
// the written script in Wine's cmd.exe, with stand-ins for madplay.exe and enc.exe (the script's
// runs of every kind are WindowsScriptTest's); then a drop with refusals.
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
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_EQ(window.BitRate(), 1024);

    ASSERT_EQ(GetDpiForWindow(handle), 96u);
    for (const auto& [name, left, top, width, height, text] : ExpectedLayout) {
        HWND control = ControlOf(handle, name);
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, handle, reinterpret_cast<POINT*>(&r), 2);
        const auto placed = std::make_tuple(r.left, r.top, r.right - r.left, r.bottom - r.top);
        EXPECT_EQ(placed, std::make_tuple(LONG(left), LONG(top), LONG(width), LONG(height)))
            << name;
        EXPECT_EQ(WindowText(control), text) << name;
        // The form's text font everywhere but on the button, which has the system's.
        LOGFONTW font{};
        GetObjectW(HFONT(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        const bool textFont = Narrow(font.lfFaceName) == "Times New Roman" && font.lfHeight == -13;
        EXPECT_EQ(textFont, name != "cmdExport") << name;
        // Only the list takes dropped files.
        const bool takesFiles = GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_ACCEPTFILES;
        EXPECT_EQ(takesFiles, name == "lstFiles") << name;
    }
    RECT client{};
    GetClientRect(handle, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(368L, 412L));
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), WS_MINIMIZEBOX);
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
    EXPECT_EQ(platform.messages.back().substr(0, 33), "The conversion process has begun,");
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

    // Wider than the list; and a name beyond the console's code page, which no script can hold
    // (the other refusals are the intake's, tested on both systems).
    const std::string admitted =
        appDir + "\\\xC3\x89t\xC3\xA9 - A Name Long Enough To Need Scrolling Sideways To Read.mp3";
    const std::string beyond = appDir + "\\\xE6\x9B\xB2.mp3";
    for (const std::string& path : {admitted, beyond}) {
        test::WriteFile(path, "ID3");
    }
    platform.messages.clear();
    DropFiles(list, {admitted, beyond});
    tracks.push_back(admitted);
    EXPECT_EQ(window.ListEntries(), tracks);
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{UnusableNameMessage("\xE6\x9B\xB2.mp3", WindowsWords)});
    // The list shows a horizontal scroll bar, to reach the end of the long name.
    EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL, 0);

    // Here and on a monitor of 144 DPI the drop-down's field and open list draw what Times New
    // Roman 9.75 pt draws alone (under Wine a serif stand-in draws for the missing face).
    const auto printed = [](HWND control) {
        return [control](HDC dc) { SendMessageW(control, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT); };
    };
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    for (int dpi : {96, 144}) {
        RECT frame{};
        GetWindowRect(handle, &frame);
        SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&frame));
        HFONT font =
            CreateFontW(-MulDiv(975, dpi, 7200), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                        0, VARIABLE_PITCH | FF_ROMAN, L"Times New Roman");
        const auto alone = [&](const wchar_t* text) {
            const auto write = [&](HDC dc) {
                SelectObject(dc, font), TextOutW(dc, 0, 0, text, lstrlenW(text));
            };
            return Ink(write, {0, 0, 200, 100});
        };
        GetComboBoxInfo(combo, &parts);
        EXPECT_EQ(Ink(printed(combo), parts.rcItem), alone(L"256")) << dpi;
        RECT firstRow{};
        SendMessageW(parts.hwndList, LB_GETITEMRECT, 0, LPARAM(&firstRow));
        EXPECT_EQ(Ink(printed(parts.hwndList), firstRow), alone(L"2048")) << dpi;
        DeleteObject(font);
    }
}

} // namespace
} // namespace vq3
