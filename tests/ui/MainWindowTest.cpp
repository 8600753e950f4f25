#include "ui/qt/MainWindow.h"

#include "conversion/Messages.h"
#include "platform/SystemPlatform.h"
#include "support/DropEvents.h"
#include "support/ExpectedLayout.h"
#include "support/ScriptRuns.h"
#include "support/TempDir.h"
#include "support/Waiting.h"
#include "ui/qt/ApplicationArguments.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTransform>
#include <cstdlib>
#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::TempDir;

TEST(ApplicationTest, CommandLineNeverReachesQt) {
    EXPECT_EQ(QApplication::arguments(), QStringList{"vq3mt"});
    EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_NE(QApplication::style()->name(), "windows");
}

// A message box in words, read while it is up: whose it is, its caption, its labels' kind and
// text, its buttons, its title buttons; and what the window shows meanwhile.
std::string Describe(const QDialog* box) {
    const QWidget* owner = box->parentWidget();
    std::string words = owner == nullptr ? "alone" : "elsewhere";
    if (qobject_cast<const MainWindow*>(owner) != nullptr &&
        (box->geometry().center() - owner->geometry().center()).manhattanLength() <= 1) {
        words = "centred on the window";
    }
    words += "; " + box->windowTitle().toStdString();
    for (const QLabel* label : box->findChildren<QLabel*>()) {
        words += label->textFormat() == Qt::PlainText ? "; plain: " : "; other: ";
        words += label->text().toStdString();
    }
    for (const QPushButton* button : box->findChildren<QPushButton*>()) {
        words += "; " + button->text().toStdString() + (button->icon().isNull() ? "" : " icon");
    }
    const auto moreTitleButtons = Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint;
    words += box->windowFlags() & moreTitleButtons ? "; more title buttons" : "";
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<MainWindow*>(widget)) {
            words += window->isVisible() ? " | shown" : " | hidden";
            words += ", bit rate " + std::to_string(window->BitRate()) + ", selected " +
                     std::to_string(window->findChild<QComboBox*>()->currentIndex()) + ", listed " +
                     std::to_string(window->findChild<QListWidget*>()->count());
        }
    }
    return words;
}

// The program as main() wires it, from start-up to a conversion and a later drop: the real
// message box, the real launcher and interpreter, stand-ins for the decoder and the encoder. The
// start-up warning stands alone while the window is being made, later messages belong to the
// shown window. Each box is read while up, then dismissed by a key.
TEST(MainWindowTest, FromStartUpThroughAConversionToADropWithRefusals) {
    TempDir appDir;
    test::PrepareFolder(appDir.Path(), {"", {"Intro Theme.mp3", "100% R&B.wav"}, ""},
                        STAND_IN_ENCODER);
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
                         "; OK | hidden, bit rate 0, selected -1, listed 0"});
    EXPECT_EQ(window.windowTitle(), "VQ3 Music Tool 1.4.0");
    EXPECT_EQ(window.BitRate(), 1024);

    const double scale = window.logicalDpiX() / 96.0;
    const QTransform dpi = QTransform::fromScale(scale, scale);
    for (const auto& [name, left, top, width, height, text] : test::ExpectedLayout) {
        auto* control = window.findChild<QWidget*>(QString::fromUtf8(name.data(), name.size()));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->geometry(), dpi.mapRect(QRect(left, top, width, height))) << name;
        const char* shown = control->inherits("QComboBox") ? "currentText" : "text";
        EXPECT_EQ(control->property(shown).toString(), text) << name;
        const bool button = qobject_cast<QPushButton*>(control) != nullptr;
        EXPECT_EQ(control->font().family(), button ? "Liberation Sans" : "Times New Roman") << name;
        EXPECT_DOUBLE_EQ(control->font().pointSizeF(), 9.75) << name;
        // Only the list takes drags.
        EXPECT_EQ(control->acceptDrops(), name == "lstFiles") << name;
    }
    EXPECT_EQ(window.size(), dpi.mapRect(QRect(0, 0, 368, 412)).size());
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.acceptDrops());
    auto* combo = window.findChild<QComboBox*>("cboBitRate");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items.append(combo->itemText(i));
    }
    EXPECT_EQ(items, (QStringList{"2048", "1024", "512", "256"}));
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

    // Only drags of URLs are welcome, as copies, Shift or not; one that offers no copy is turned
    // away, dropped or not; an empty drop is no drop.
    const QString intro = QString::fromStdString(appDir / "Intro Theme.mp3");
    const QString wave = QString::fromStdString(appDir / "100% R&B.wav");
    EXPECT_EQ(test::Enter(list->viewport(), *test::FileDrag({intro}), test::CopyOrMove,
                          Qt::ShiftModifier),
              std::pair(true, Qt::CopyAction));
    EXPECT_FALSE(test::Enter(list->viewport(), *test::FileDrag({intro}), Qt::MoveAction).first);
    EXPECT_FALSE(test::DeliverDrop(list->viewport(), *test::FileDrag({intro}), Qt::MoveAction));
    QMimeData text;
    text.setText("Intro.mp3");
    EXPECT_FALSE(test::Enter(list->viewport(), text).first);
    EXPECT_FALSE(test::DeliverDrop(list->viewport(), *test::FileDrag({})));

    EXPECT_TRUE(test::DeliverDrop(list->viewport(), *test::FileDrag({intro, wave})));
    combo->setCurrentIndex(3);
    window.findChild<QPushButton*>()->click();
    // The script runs in a process of its own, which the program never waits for.
    const auto fda = [&](const char* name) { return test::ReadFile(appDir / name); };
    // The tracks are converted in list order: the last .fda comes last.
    EXPECT_TRUE(
        test::WaitUntil([&] { return !fda("100% R&B.fda").empty(); }, std::chrono::minutes(1)));
    EXPECT_EQ(fda("Intro Theme.fda"), "aifr from Intro Theme.wav at 256\n");
    EXPECT_EQ(fda("100% R&B.fda"), "aifr from 100% R&B.wav at 256\n");
    // The runner started in the music folder and held that folder's lock there.
    EXPECT_TRUE(std::filesystem::exists(appDir.Path() / "vq3mc.lock"));
    EXPECT_EQ(test::ReadFile(appDir / "100% R&B.wav"), "RIFF....WAVE");

    // Files of another host or the web are refused like strangers, even where the folder holds
    // a file of the same name, and in their place in the drop.
    TempDir elsewhere;
    test::WriteFile(elsewhere / "C.mp3", "x");
    for (const char* name : {"B.mp3", "C.mp3", "x.mp3", "y.mp3"}) {
        test::WriteFile(appDir / name, "audio");
    }
    const QString otherC = QString::fromStdString(elsewhere / "C.mp3");
    const auto drop =
        test::FileDrag({intro, otherC, QString::fromStdString(elsewhere / "D.mp3"), intro});
    drop->setUrls(drop->urls() + QList<QUrl>{QUrl("file://otherhost/share/x.mp3"),
                                             QUrl("file://localhost" + intro),
                                             QUrl("https://example.com/B.mp3?dl=1"),
                                             QUrl("smb://otherhost/share/y.mp3")});
    EXPECT_TRUE(test::DeliverDrop(list->viewport(), *drop));
    const std::string refused = "' is not in the application's directory, '" + appDir.Str() + "'.";
    const auto owned = [&](const std::string& text, const char* bitRate, int listed) {
        return "centred on the window; VQ3 Music Tool; plain: " + text + "; OK | shown, " +
               bitRate + ", listed " + std::to_string(listed);
    };
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         boxes[0], owned("No files to convert!", "bit rate 1024, selected 1", 0),
                         owned(ConversionBegunMessage, "bit rate 256, selected 3", 2),
                         owned("The file 'D.mp3" + refused, "bit rate 256, selected 3", 4),
                         owned("The file 'x.mp3" + refused, "bit rate 256, selected 3", 5),
                         owned("The file 'B.mp3" + refused, "bit rate 256, selected 3", 6),
                         owned("The file 'y.mp3" + refused, "bit rate 256, selected 3", 6)}));
    const std::string mp3 = intro.toStdString();
    EXPECT_EQ(window.ListEntries(), (std::vector<std::string>{mp3, wave.toStdString(), mp3,
                                                              otherC.toStdString(), mp3, mp3}));
}

} // namespace
} // namespace vq3

// Window tests need a QApplication; without a display they draw off screen. The script runner
// they start must not find a display either, or its window would wait for a user. Qt gets its
// arguments as the tool hands them over, whatever this program was started with.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    vq3::ApplicationArguments arguments;
    QApplication app(arguments.Count(), arguments.Values());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
