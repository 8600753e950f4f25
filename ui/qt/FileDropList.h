#pragma once

#include <QListWidget>
#include <QStringList>

namespace vq3 {

// A list box that takes drops of local files, and nothing else, and hands their paths on.
class FileDropList : public QListWidget {
    Q_OBJECT

public:
    explicit FileDropList(QWidget* parent = nullptr);

signals:
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace vq3
