// Shows the main window with a few files dropped on it, for the README's picture. The start-up
// warning is answered as soon as it is up: the picture is of the window.
// Usage: vq3_screenshot APP_DIR NAME...
#include "ui/SystemPlatform.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/ApplicationArguments.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTimer>
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
    QTimer answerer;
    answerer.callOnTimeout([] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
    answerer.start(0);
    vq3::SystemPlatform platform;
    vq3::MainWindow window(platform, appDir.toStdString());
    answerer.stop();
    window.move(40, 40);
    window.show();

    // Dropped as a file manager drops them: the drag enters the list, then lets go.
    QMimeData data;
    QList<QUrl> urls;
    for (int i = 2; i < argc; ++i) {
        urls.append(QUrl::fromLocalFile(appDir + "/" + QString::fromLocal8Bit(argv[i])));
    }
    data.setUrls(urls);
    QWidget* list = window.findChild<QListWidget*>("lstFiles")->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &drop);
    return app.exec();
}
