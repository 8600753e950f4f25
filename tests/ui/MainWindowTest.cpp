#include "ui/qt/MainWindow.h"

#include "conversion/Messages.h"
#include "support/DropEvents.h"
#include "support/ExpectedLayout.h"
#include "support/TempDir.h"
#include "ui/SystemPlatform.h"
#include "ui/qt/ApplicationArguments.h"
#include "ui/qt/MessageBoxDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vq3 {
namespace {

// A message box in words, read while it is up: whose it is, its caption, its labels' kind and
// text, its buttons, its title buttons; and what the window shows meanwhile.
std::string Describe(const QDialog* box) {
    const QWidget* owner = box->parentWidget();
    const bool centred =
        owner != nullptr &&
        (box->geometry().center() - owner->geometry().center()).manhattanLength() <= 1;
    std::string words = owner == nullptr ? "alone"
                        : centred        ? "centred on the window"
                                         : "elsewhere";
    words += "; " + box->windowTitle().toStdString();
    for (const QLabel* label : box->findChildren<QLabel*>()) {
        words += (label->textFormat() == Qt::PlainText ? "; plain: " : "; other: ") +
                 label->text().toStdString();
    }
    for (const QPushButton* button : box->findChildren<QPushButton*>()) {
        words += "; " + button->text().toStdString() + (button->icon().isNull() ? "" : " icon");
    }
    const auto moreTitleButtons = Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint;
    words += box->windowFlags() & moreTitleButtons ? "; more title buttons" : "";
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<MainWindow*>(widget)) {
            words += std::string(window->isVisible() ? " | shown" : " | hidden") + ", bit rate " +
                     std::to_string(window->BitRate()) + ", listed " +
                     std::to_string(window->findChild<QListWidget*>()->count()) +
                     (window->findChild<QProgressDialog*>() != nullptr ? ", progress up" : "");
        }
    }
    return words;
}

// The window as main() wires it, with the real message box: the start-up warning stands alone
// while the window is being made, later messages belong to the shown window. Each box is read
// while up, then dismissed by a key. Then Convert with nothing listed, the drags the list
// welcomes, and a drop of this host's file and of others' (the intake's other refusals are
// DropIntake's).
TEST(MainWindowTest, FromStartUpToADropWithRefusals) {
    // Off screen (the test's environment says so), with Qt's arguments as the tool hands them.
    ApplicationArguments arguments;
    QApplication app(arguments.Count(), arguments.Values());
    test::TempDir appDir;
    for (const char* name : {"Intro Theme.mp3", "B.mp3", "x.mp3"}) {
        test::WriteFile(appDir / name, "audio");
    }
    SystemPlatform platform;
    std::vector<std::string> boxes;
    QTimer answerer;
    answerer.callOnTimeout([&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            boxes.push_back(Describe(box));
            QTest::keyClick(box, boxes.size() == 1 ? Qt::Key_Return : Qt::Key_Escape);
        }
    });
    answerer.start(10);
    MainWindow window(platform, appDir.Str());
    platform.SetMessageOwner(&window);
    ASSERT_EQ(boxes, std::vector<std::string>{
                         "alone; VQ3 Music Tool; plain: " + std::string(StartupWarning) +
                         "; OK | hidden, bit rate 0, listed 0"});
    EXPECT_EQ(window.windowTitle(), "VQ3 Music Tool 1.4.0");

    for (const auto& [name, left, top, width, height, text] : test::ExpectedLayout) {
        auto* control = window.findChild<QWidget*>(QString::fromUtf8(name.data(), name.size()));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->geometry(), QRect(left, top, width, height)) << name;
        const char* shown = control->inherits("QComboBox") ? "currentText" : "text";
        EXPECT_EQ(control->property(shown).toString(), text) << name;
        const bool button = qobject_cast<QPushButton*>(control) != nullptr;
        EXPECT_EQ(control->font().family(), button ? "Liberation Sans" : "Times New Roman") << name;
        EXPECT_DOUBLE_EQ(control->font().pointSizeF(), 9.75) << name;
        EXPECT_EQ(control->acceptDrops(), name == "lstFiles") << name;
    }
    EXPECT_EQ(window.size(), QSize(368, 412));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.acceptDrops());
    auto* combo = window.findChild<QComboBox*>("cboBitRate");
    EXPECT_FALSE(combo->isEditable());

    window.move(200, 100); // far enough from the screen's edges for a box centred on it
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* list = window.findChild<QListWidget*>("lstFiles");
    EXPECT_EQ(QApplication::focusWidget(), list);
    for (const char* next : {"cmdExport", "cboBitRate", "lstFiles"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), window.findChild<QWidget*>(next)) << next;
    }
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    // A button pressed by its access key animates the press before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return boxes.size() == 2; }, 2000));
    combo->setCurrentIndex(3);

    // Only drags of URLs are welcome, as copies, Shift or not; one that offers no copy is turned
    // away, dropped or not; an empty drop is no drop.
    const QString intro = QString::fromStdString(appDir / "Intro Theme.mp3");
    QWidget* target = list->viewport();
    QMimeData file, text, none, drop;
    file.setUrls({QUrl::fromLocalFile(intro)});
    text.setText("Intro.mp3");
    none.setUrls({});
    EXPECT_EQ(test::Enter(target, file, test::CopyOrMove, Qt::ShiftModifier),
              std::pair(true, Qt::CopyAction));
    EXPECT_FALSE(test::Enter(target, file, Qt::MoveAction).first);
    EXPECT_FALSE(test::DeliverDrop(target, file, Qt::MoveAction));
    EXPECT_FALSE(test::Enter(target, text).first);
    EXPECT_FALSE(test::DeliverDrop(target, none));

    // A file of this host is listed; those of another host or the web are refused, in their
    // place, even where the folder holds a file of the same name.
    drop.setUrls({QUrl("file://localhost" + intro), QUrl("file://otherhost/share/x.mp3"),
                  QUrl("https://example.com/B.mp3?dl=1"), QUrl("smb://otherhost/share/y.mp3")});
    EXPECT_TRUE(test::DeliverDrop(target, drop));
    const std::string refused = "' is not in the application's directory, '" + appDir.Str() + "'.";
    const auto owned = [&](const std::string& text, int bitRate, int listed) {
        return "centred on the window; VQ3 Music Tool; plain: " + text + "; OK | shown, bit rate " +
               std::to_string(bitRate) + ", listed " + std::to_string(listed);
    };
    EXPECT_EQ(boxes, (std::vector<std::string>{boxes[0], owned("No files to convert!", 1024, 0),
                                               owned("The file 'x.mp3" + refused, 256, 1),
                                               owned("The file 'B.mp3" + refused, 256, 1),
                                               owned("The file 'y.mp3" + refused, 256, 1)}));
    EXPECT_EQ(window.ListEntries(), std::vector<std::string>{intro.toStdString()});

    // A settings file that cannot be written after another was: the progress is gone before the
    // box, or it would cover the box and take its keys.
    for (const char* program : {"enc.exe", "madplay.exe"}) {
        test::WriteFile(appDir / program, "#!/bin/sh\n");
        std::filesystem::permissions(appDir.Path() / program, std::filesystem::perms(0755));
    }
    const std::string gone = appDir / "gone";
    std::filesystem::create_directory(gone);
    test::WriteFile(std::filesystem::path(gone) / "Intro Theme.mp3", "audio");
    drop.setUrls({QUrl::fromLocalFile(QString::fromStdString(gone + "/Intro Theme.mp3"))});
    EXPECT_TRUE(test::DeliverDrop(target, drop));
    std::filesystem::remove_all(gone);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdExport"), Qt::LeftButton);
    EXPECT_EQ(
        boxes.back(),
        owned(WriteFailedMessage(gone + "/Intro Theme.lua", "No such file or directory"), 256, 2));
}

// A name wider than the screen wraps between its letters, within the box, and is read whole.
TEST(MessageBoxTest, ANameWiderThanTheScreenWrapsWithinTheBox) {
    ApplicationArguments arguments;
    QApplication app(arguments.Count(), arguments.Values());
    const std::string text = "The file '" + std::string(300, 'M') + "\xC3\xA9.wav' is not here.";
    const auto box = NewMessageBox(text);
    box->show();
    const auto* label = box->findChild<QLabel*>();
    const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 100000),
                                                           Qt::TextWordWrap, label->text());
    EXPECT_LE(needed.width(), label->width());
    EXPECT_LE(box->width(), box->screen()->availableGeometry().width());
    EXPECT_EQ(label->accessibleName().toStdString(), text);
    EXPECT_EQ(label->text().remove(QChar(0x200B)).toStdString(), text);
}

} // namespace
} // namespace vq3
