#include "bench/Cases.h"
#include "bench/QuietPlatform.h"
#include "support/DropEvents.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>
#include <fstream>
#include <memory>
#include <sys/stat.h>

namespace vq3::bench {

namespace fs = std::filesystem;

std::vector<Row> IntakeCases(const fs::path& scratch) {
    const fs::path dir = scratch / "intake";
    fs::create_directories(dir);
    QList<QUrl> urls;
    QStringList paths;
    std::vector<std::string> nativePaths;
    for (int i = 0; i < MaxEntries; ++i) {
        const fs::path file = dir / ("Track " + std::to_string(i) + (i % 2 ? ".mp3" : ".wav"));
        std::ofstream(file) << "x";
        urls.append(QUrl::fromLocalFile(QString::fromStdString(file.string())));
        paths.append(QString::fromStdString(file.string()));
        nativePaths.push_back(file.string());
    }

    QuietPlatform platform;
    std::unique_ptr<MainWindow> window;
    QMimeData data;
    data.setUrls(urls);
    std::unique_ptr<QListWidget> plainList;
    const auto [intakeMs, baselineMs, ratio] = MedianPairMs(
        [&] {
            QListWidget* list = window->findChild<QListWidget*>("lstFiles");
            test::DeliverDrop(list->viewport(), data);
            return list->count() == MaxEntries;
        },
        [&] {
            struct stat info {};
            for (const auto& path : nativePaths) {
                if (stat(path.c_str(), &info) != 0) {
                    return false;
                }
            }
            plainList->addItems(paths);
            return plainList->count() == MaxEntries;
        },
        [&] {
            window = std::make_unique<MainWindow>(platform, dir.string());
            window->show();
        },
        [&] {
            plainList = std::make_unique<QListWidget>();
            plainList->show();
        });
    window.reset();
    fs::remove_all(dir);
    return {{"intake", intakeMs, baselineMs, 1.3,
             "drop of 32,767 files; stat + QListWidget::addItems", ratio}};
}

} // namespace vq3::bench
