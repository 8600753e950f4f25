#include "ui/qt/MainWindow.h"

#include "support/DropEvents.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace vq3 {
namespace {

using test::RecordingPlatform;
using test::TempDir;

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(platform, appDir.Str());
        platform.messages.clear();
    }
    QString Put(const std::string& name) {
        test::WriteFile(appDir / name, "audio");
        return QString::fromStdString(appDir / name);
    }
    template <typename T = QWidget> T* Control(const char* name) {
        return window->findChild<T*>(name);
    }
    QListWidget* List() { return Control<QListWidget>("lstFiles"); }
    void Activate() {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    TempDir appDir;
    RecordingPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST(MainWindowStartTest, WarningComesBeforeTheWindowIsShownAndBeforeTheBitRateIsSet) {
    TempDir appDir;
    RecordingPlatform platform;
    std::vector<std::string> seen;
    platform.duringMessage = [&] {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                seen.push_back("selected " + std::to_string(combo->currentIndex()));
            }
            if (auto* loading = qobject_cast<MainWindow*>(widget)) {
                seen.push_back("bit rate " + std::to_string(loading->BitRate()));
            }
            if (widget->isWindow() && widget->isVisible()) {
                seen.push_back("visible");
            }
        }
    };
    MainWindow window(platform, appDir.Str());
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"bit rate 0", "selected -1"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              "WARNING:  You MUST copy the *.mp3 or *.wav files you want to convert into the same "
              "directory as 'vq3mc.exe' or they will NOT be converted!  Be sure to copy them into "
              "the directory and then drag those files into the VQ3MC window.");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "VQ3 Music Tool 1.4.0");
    EXPECT_EQ(window.BitRate(), 1024);
    EXPECT_EQ(window.findChild<QComboBox*>("cboBitRate")->currentText(), "1024");
}

TEST_F(MainWindowTest, ControlsSitAtTheirPixelRectanglesWithTheirTexts) {
    const double scale = window->logicalDpiX() / 96.0;
    const auto scaled = [scale](int x, int y, int w, int h) {
        return QRect(qRound(x * scale), qRound(y * scale), qRound(w * scale), qRound(h * scale));
    };
    const struct {
        const char* name;
        QRect at96Dpi;
        const char* text;
    } controls[] = {
        {"lblDragDrop", QRect(8, 8, 353, 25),
         "Drag and drop *.mp3 or *.wav files into the box below."},
        {"lstFiles", QRect(8, 32, 353, 319), ""},
        {"lblBitRate", QRect(8, 360, 57, 21), "BitRate"},
        {"cboBitRate", QRect(80, 360, 105, 23), "1024"},
        {"cmdExport", QRect(272, 360, 89, 33), "&Convert to .fda"},
        {"lblRec", QRect(8, 392, 177, 17), "Recommended: 1024"},
    };
    for (const auto& c : controls) {
        QWidget* control = Control(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        const QRect r = c.at96Dpi;
        EXPECT_EQ(control->geometry(), scaled(r.x(), r.y(), r.width(), r.height())) << c.name;
        QString text = control->property("text").toString();
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            text = combo->currentText();
        }
        EXPECT_EQ(text.toStdString(), c.text) << c.name;
        const bool button = qobject_cast<QPushButton*>(control) != nullptr;
        EXPECT_EQ(control->font().family(), button ? "Liberation Sans" : "Times New Roman")
            << c.name;
        EXPECT_DOUBLE_EQ(control->font().pointSizeF(), 9.75) << c.name;
    }
    EXPECT_EQ(window->size(), scaled(0, 0, 368, 412).size());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    auto* combo = Control<QComboBox>("cboBitRate");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items.append(combo->itemText(i));
    }
    EXPECT_EQ(items, (QStringList{"2048", "1024", "512", "256"}));
    EXPECT_FALSE(combo->isEditable());
}

TEST_F(MainWindowTest, TabGoesListButtonDropDownAndAltCPressesConvert) {
    Activate();
    EXPECT_EQ(QApplication::focusWidget(), List());
    for (const char* next : {"cmdExport", "cboBitRate", "lstFiles"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Control(next)) << next;
    }
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    // A button pressed by its access key animates the press before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !platform.messages.empty(); }, 2000));
    EXPECT_EQ(platform.messages, std::vector<std::string>{"No files to convert!"});
}

// Files of another host or the web are refused like strangers, even where the folder holds a
// file of the same name, and in their place in the drop.
TEST_F(MainWindowTest, DroppedPathsAreListedUnchangedBeforeARefusalShows) {
    TempDir elsewhere;
    test::WriteFile(elsewhere / "C.mp3", "x");
    const QString a = Put("A.mp3");
    for (const char* name : {"B.mp3", "C.mp3", "x.mp3", "y.mp3"}) {
        Put(name);
    }
    const QString otherC = QString::fromStdString(elsewhere / "C.mp3");
    std::vector<int> listedDuringMessage;
    platform.duringMessage = [&] { listedDuringMessage.push_back(List()->count()); };
    QMimeData* drop = test::FileDrag({a, otherC, QString::fromStdString(elsewhere / "D.mp3"), a});
    drop->setUrls(drop->urls() + QList<QUrl>{QUrl("file://otherhost/share/x.mp3"),
                                             QUrl("file://localhost" + a),
                                             QUrl("https://example.com/B.mp3?dl=1"),
                                             QUrl("smb://otherhost/share/y.mp3")});
    EXPECT_TRUE(test::Drop(List()->viewport(), drop));
    const std::string refused = "' is not in the application's directory, '" + appDir.Str() + "'.";
    EXPECT_EQ(platform.messages,
              (std::vector<std::string>{"The file 'D.mp3" + refused, "The file 'x.mp3" + refused,
                                        "The file 'B.mp3" + refused, "The file 'y.mp3" + refused}));
    EXPECT_EQ(listedDuringMessage, (std::vector<int>{2, 3, 4, 4}));
    QStringList listed;
    for (int i = 0; i < List()->count(); ++i) {
        listed.append(List()->item(i)->text());
    }
    EXPECT_EQ(listed, (QStringList{a, otherC, a, a}));
}

TEST_F(MainWindowTest, OnlyTheListWelcomesDragsAndOnlyOfUrls) {
    const QString a = Put("A.mp3");
    EXPECT_EQ(test::DragEnter(List()->viewport(), test::FileDrag({a})),
              std::pair(true, Qt::CopyAction));
    for (const char* other : {"lblDragDrop", "cmdExport", "cboBitRate", "lblRec"}) {
        EXPECT_FALSE(Control(other)->acceptDrops()) << other;
    }
    EXPECT_FALSE(window->acceptDrops());
    auto* text = new QMimeData;
    text->setText("Intro.mp3");
    EXPECT_FALSE(test::DragEnter(List()->viewport(), text).first);
    EXPECT_FALSE(test::Drop(List()->viewport(), test::FileDrag({})));
    EXPECT_EQ(List()->count(), 0);
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace
} // namespace vq3
