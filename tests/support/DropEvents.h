#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>
#include <utility>

namespace vq3::test {

constexpr Qt::DropActions CopyOrMove = Qt::CopyAction | Qt::MoveAction;

// Whether the widget welcomes the drag, and with which action.
inline std::pair<bool, Qt::DropAction> Enter(QWidget* target, const QMimeData& data,
                                             Qt::DropActions offered = CopyOrMove,
                                             Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QDragEnterEvent enter(QPoint(10, 10), offered, &data, Qt::LeftButton, keys);
    enter.ignore();
    QApplication::sendEvent(target, &enter);
    return {enter.isAccepted(), enter.dropAction()};
}

// Delivers a real drag and drop of the data onto the widget, as the window system would: Qt
// hands a drop only to the widget that took the drag's entry. Returns whether it was taken.
inline bool DeliverDrop(QWidget* target, const QMimeData& data,
                        Qt::DropActions offered = CopyOrMove) {
    Enter(target, data, offered);
    QDropEvent drop(QPointF(10, 10), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace vq3::test
