// Shows the main window with a few files dropped on it, for the README's picture. The
// start-up warning is skipped: the picture is of the window.
// Usage: vq3_screenshot APP_DIR NAME...
#include "bench/QuietPlatform.h"
#include "platform/qt/AppIcon.h"
#include "support/DropEvents.h"
#include "ui/qt/ApplicationArguments.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    // The file names are this program's, not Qt's, as the tool's own command line would be.
    vq3::ApplicationArguments arguments;
    QApplication app(arguments.Count(), arguments.Values());
    QApplication::setWindowIcon(vq3::AppIcon());
    const QString appDir = QString::fromLocal8Bit(argv[1]);
    vq3::bench::QuietPlatform platform;
    vq3::MainWindow window(platform, appDir.toStdString());
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
