#pragma once

#include "conversion/DropIntake.h"

#include <QList>
#include <QListWidget>
#include <QString>
#include <vector>

namespace vq3 {

// A list box that takes drops of URLs and hands them on; it shows its keyboard focus.
class FileDropList : public QListWidget {
    Q_OBJECT

public:
    explicit FileDropList(QWidget* parent = nullptr);

signals:
    void filesDropped(const std::vector<vq3::DroppedFile>& files);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace vq3
