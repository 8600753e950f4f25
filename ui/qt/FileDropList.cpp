#include "ui/FileDropList.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace vq3 {

namespace {

// Local file paths in the platform's own spelling, in the order the drag carries them.
QStringList LocalPaths(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
        }
    }
    return paths;
}

bool CarriesLocalFiles(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return false;
    }
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

// A drag is welcome only when it carries local files; it is always copied, never moved. Asked
// at every mouse move, so it looks no further than the first local file.
void AnswerDrag(QDropEvent* event) {
    if (!CarriesLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace

FileDropList::FileDropList(QWidget* parent) : QListWidget(parent) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Long paths scroll sideways instead of being cut short.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void FileDropList::dragEnterEvent(QDragEnterEvent* event) {
    AnswerDrag(event);
}

void FileDropList::dragMoveEvent(QDragMoveEvent* event) {
    AnswerDrag(event);
}

void FileDropList::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit filesDropped(paths);
}

} // namespace vq3
