#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

namespace vq3::test {

// Plays the user in front of real message boxes: notes each one and presses its OK button.
class MessageAnswerer {
public:
    struct Seen {
        std::string caption;
        std::string text;
        QMessageBox::Icon icon;
    };

    MessageAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenBox(); });
        timer_.start();
    }

    std::vector<Seen> seen;

private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        seen.push_back({box->windowTitle().toStdString(), box->text().toStdString(), box->icon()});
        box->button(QMessageBox::Ok)->click();
    }

    QTimer timer_;
};

} // namespace vq3::test
