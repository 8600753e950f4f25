#include "platform/SystemPlatform.h"
#include "support/TempDir.h"
#include "ui/qt/MainWindow.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::TempDir;

TEST(ApplicationTest, CommandLineNeverReachesQt) {
    EXPECT_EQ(QApplication::arguments(), QStringList{"vq3mt"});
    EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_NE(QApplication::style()->name(), "windows");
}

// A box in words: whose it is, its caption, its labels' kind and its buttons.
std::string Describe(const QDialog* box, const QWidget* window) {
    const QWidget* owner = box->parentWidget();
    std::string words = owner == nullptr ? "alone" : "elsewhere";
    if (owner != nullptr && owner == window &&
        (box->geometry().center() - window->geometry().center()).manhattanLength() <= 1) {
        words = "centred on the window";
    }
    words += "; " + box->windowTitle().toStdString();
    for (const QLabel* label : box->findChildren<QLabel*>()) {
        words += label->textFormat() == Qt::PlainText ? "; plain text" : "; other text";
    }
    for (const QPushButton* button : box->findChildren<QPushButton*>()) {
        words += "; " + button->text().toStdString() + (button->icon().isNull() ? "" : " icon");
    }
    if (box->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)) {
        words += "; more title buttons";
    }
    return words;
}

// The real message box as main() wires it: the start-up warning stands alone, later messages
// belong to the shown window. Each box is read while up, then dismissed by a key.
TEST(ApplicationTest, MessagesStandAloneAtStartThenBelongToTheShownWindow) {
    TempDir appDir;
    SystemPlatform platform;
    std::unique_ptr<MainWindow> window;
    std::vector<std::string> looks;
    QTimer answerer;
    answerer.callOnTimeout([&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            looks.push_back(Describe(box, window.get()));
            QTest::keyClick(box, looks.size() == 1 ? Qt::Key_Return : Qt::Key_Escape);
        }
    });
    answerer.start(10);
    window = std::make_unique<MainWindow>(platform, appDir.Str());
    platform.SetMessageOwner(window.get());
    window->move(200, 100); // far enough from the screen's edges for a box centred on it
    window->show();
    platform.ShowMessage("The file '<b>R&B</b>.mp3' is not in the application's directory.");
    // One label: no icon beside the text.
    EXPECT_EQ(looks,
              (std::vector<std::string>{"alone; VQ3 Music Tool; plain text; OK",
                                        "centred on the window; VQ3 Music Tool; plain text; OK"}));
}

} // namespace
} // namespace vq3
