// Shows the main window with a few files dropped on it, for the README's picture. The
// start-up warning is skipped: the picture is of the window.
#include "platform/SystemPlatform.h"
#include "support/DropEvents.h"
#include "ui/frmVQ3MCMain.h"

#include <QApplication>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    const QString appDir = QString::fromLocal8Bit(argv[1]);
    vq3::SystemPlatform platform([](const std::string&) {});
    vq3::frmVQ3MCMain window(platform, appDir.toStdString());
    window.move(40, 40);
    window.show();

    QMimeData data;
    QList<QUrl> urls;
    for (int i = 2; i < argc; ++i) {
        urls.append(QUrl::fromLocalFile(appDir + "/" + QString::fromLocal8Bit(argv[i])));
    }
    data.setUrls(urls);
    vq3::test::DeliverDrop(window.findChild<QListWidget*>("lstFiles")->viewport(), data);
    return app.exec();
}
