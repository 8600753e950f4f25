// The tool's start-up as wWinMain does it, with the warning answered through the seam; reports
// once the window is shown and quits. Files given as arguments are dropped on the list first,
// as the shell drops them; with --stay it keeps running, for pictures of the window.
#include "bench/QuietPlatform.h"
#include "bench/windows/ReportShown.h"
#include "platform/AppInfo.h"
#include "platform/windows/WinText.h"
#include "ui/win32/MainWindow.h"
#include "windows/WindowDriving.h"

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    bool stay = false;
    std::vector<std::string> files;
    for (int i = 1; i < __argc; ++i) {
        const std::string argument = vq3::Narrow(__wargv[i]);
        if (argument == "--stay") {
            stay = true;
        } else {
            files.push_back(argument);
        }
    }
    vq3::bench::QuietPlatform platform;
    vq3::MainWindow window(platform, vq3::AppInfo::AppDir());
    ShowWindow(window.Handle(), showCommand);
    UpdateWindow(window.Handle());
    if (!files.empty()) {
        vq3::test::DropFiles(vq3::test::ControlOf(window.Handle(), "lstFiles"), files);
    }
    vq3::bench::ProcessPendingMessages();
    vq3::bench::ReportShown();
    return stay ? vq3::RunMessageLoop(window.Handle()) : 0;
}
