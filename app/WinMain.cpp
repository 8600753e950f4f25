#include "platform/AppInfo.h"
#include "ui/SystemPlatform.h"
#include "ui/win32/MainWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    vq3::SystemPlatform platform;
    // The start-up warning is shown, without an owner, while the window is created.
    vq3::MainWindow window(platform, vq3::AppInfo::AppDir());
    platform.SetMessageOwner(window.Handle());
    ShowWindow(window.Handle(), showCommand);
    return vq3::RunMessageLoop(window.Handle());
}
