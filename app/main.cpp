#include "platform/AppInfo.h"
#include "platform/MessageBox.h"
#include "platform/SystemPlatform.h"
#include "ui/frmVQ3MCMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vq3::SystemPlatform platform(vq3::ShowMessage);
    vq3::frmVQ3MCMain window(platform, vq3::AppInfo::AppDir());
    window.show();
    return app.exec();
}
