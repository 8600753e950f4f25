#include "platform/AppInfo.h"
#include "platform/posix/DesktopSession.h"
#include "ui/SystemPlatform.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/ApplicationArguments.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <cstdio>

int main() {
    // Without a display Qt would end the program with its own words, which speak of reinstalling.
    if (const std::string missing = vq3::MissingDesktopSession(); !missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return vq3::NoDesktopSessionStatus;
    }
    vq3::ApplicationArguments arguments;
    QApplication app(arguments.Count(), arguments.Values());
    // Before the window exists, so the start-up warning shows it too.
    QApplication::setWindowIcon(vq3::AppIcon());
    vq3::SystemPlatform platform;
    // The start-up warning comes while the window is being made, so it stands alone.
    vq3::MainWindow window(platform, vq3::AppInfo::AppDir());
    platform.SetMessageOwner(&window);
    window.show();
    return app.exec();
}
