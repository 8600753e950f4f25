#include "ui/qt/FileDropList.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QSysInfo>
#include <QUrl>

namespace vq3 {

namespace {

// A file URL names a file of this machine only without a host, or with this machine's own name.
bool OnThisMachine(const QUrl& url) {
    if (!url.isLocalFile()) {
        return false;
    }
    const QString host = url.host();
    return host.isEmpty() || host.compare("localhost", Qt::CaseInsensitive) == 0 ||
           host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0;
}

// Items of other machines travel by the last segment of their address, to be refused.
std::vector<DroppedFile> DroppedFiles(const QMimeData* data) {
    std::vector<DroppedFile> files;
    for (const QUrl& url : data->urls()) {
        if (!OnThisMachine(url)) {
            files.push_back({url.fileName().toStdString(), true});
            continue;
        }
        // Qt would keep a host, even this machine's, as the start of a network path.
        const QString path =
            url.host().isEmpty() ? url.toLocalFile() : url.path(QUrl::FullyDecoded);
        files.push_back({QDir::toNativeSeparators(path).toStdString()});
    }
    return files;
}

// A drag is welcome when it offers URLs (those of other machines are refused one by one after
// the drop) and no message or progress is up. Asked at every mouse move, so it looks only at
// the kinds of data offered, not at the data.
bool Welcome(const QMimeData* data) {
    return data != nullptr && data->hasUrls() && QApplication::activeModalWidget() == nullptr;
}

// Dropped files are always copied, never moved: a drag that does not offer a copy (a move with
// Shift held, say) is turned away, as answering it would let the file manager delete the file.
void AnswerDrag(QDropEvent* event, bool welcome) {
    if (!welcome || !event->possibleActions().testFlag(Qt::CopyAction)) {
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
    AnswerDrag(event, Welcome(event->mimeData()));
}

void FileDropList::dragMoveEvent(QDragMoveEvent* event) {
    AnswerDrag(event, Welcome(event->mimeData()));
}

void FileDropList::dropEvent(QDropEvent* event) {
    const bool copy = event->possibleActions().testFlag(Qt::CopyAction);
    const std::vector<DroppedFile> files = copy && Welcome(event->mimeData())
                                               ? DroppedFiles(event->mimeData())
                                               : std::vector<DroppedFile>();
    AnswerDrag(event, !files.empty());
    if (!files.empty()) {
        emit filesDropped(files);
    }
}

// Like a Windows list box: a dotted rectangle round the current item, or round the first line
// while there is none. Styles such as Fusion show focus only once a key has moved it.
void FileDropList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QListWidgetItem* focused = currentItem() != nullptr ? currentItem() : item(0);
    const QRect row =
        focused != nullptr ? visualItemRect(focused) : QRect(0, 0, 0, fontMetrics().height() + 2);
    const QRect line(0, row.top(), viewport()->width(), row.height());
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    painter.drawRect(line.adjusted(0, 0, -1, -1));
}

void FileDropList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void FileDropList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    viewport()->update();
}

} // namespace vq3
