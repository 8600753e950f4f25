// The tool's start-up as main() does it, but with the warning answered at once; it quits as
// soon as the window is shown. Given a folder, it first drops every file in it on the list
// and fails unless all were listed.
#include "bench/PeakMemory.h"
#include "bench/QuietPlatform.h"
#include "platform/AppInfo.h"
#include "support/DropEvents.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vq3::bench::QuietPlatform platform;
    const std::string appDir = argc > 1 ? argv[1] : vq3::AppInfo::AppDir();
    vq3::MainWindow window(platform, appDir);
    window.show();

    int expected = 0;
    if (argc > 1) {
        QList<QUrl> urls;
        const QDir dir(QString::fromLocal8Bit(argv[1]));
        for (const QString& name : dir.entryList(QDir::Files)) {
            urls.append(QUrl::fromLocalFile(dir.filePath(name)));
        }
        expected = static_cast<int>(urls.size());
        QMimeData data;
        data.setUrls(urls);
        vq3::test::DeliverDrop(window.findChild<QListWidget*>("lstFiles")->viewport(), data);
    }
    QTimer::singleShot(0, &app, &QApplication::quit);
    app.exec();
    vq3::bench::ReportPeakMemory();
    return window.findChild<QListWidget*>("lstFiles")->count() == expected ? 0 : 1;
}
