#include "ui/frmVQ3MCMain.h"

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

using test::DragEnter;
using test::Drop;
using test::FileDrag;
using test::ReadFile;
using test::RecordingPlatform;
using test::TempDir;
using test::WriteFile;

const std::string Warning =
    "WARNING:  You MUST copy the *.mp3 or *.wav files you want to convert into the same "
    "directory as 'vq3mc.exe' or they will NOT be converted!  Be sure to copy them into the "
    "directory and then drag those files into the VQ3MC window.";

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<frmVQ3MCMain>(platform, appDir.Str());
        platform.messages.clear();
    }
    QString Put(const std::string& name) {
        WriteFile(appDir.Path() / name, "audio");
        return QString::fromStdString(appDir / name);
    }
    template <typename T> T* Control(const char* name) { return window->findChild<T*>(name); }
    QListWidget* List() { return Control<QListWidget>("lstFiles"); }
    QStringList Listed() {
        QStringList items;
        for (int i = 0; i < List()->count(); ++i) {
            items.append(List()->item(i)->text());
        }
        return items;
    }
    bool DropOnList(const QStringList& paths) { return Drop(List()->viewport(), FileDrag(paths)); }
    std::string RefusalOf(const std::string& name) {
        return "The file '" + name + "' is not in the application's directory, '" + appDir.Str() +
               "'.";
    }

    TempDir appDir;
    RecordingPlatform platform;
    std::unique_ptr<frmVQ3MCMain> window;
};

TEST(MainWindowStartTest, WarningComesBeforeTheWindowIsShownThenBitRateIs1024) {
    TempDir appDir;
    RecordingPlatform platform;
    std::vector<bool> bitRateSetWhileWarning;
    frmVQ3MCMain* constructing = nullptr;
    platform.duringMessage = [&] { bitRateSetWhileWarning.push_back(constructing != nullptr); };
    frmVQ3MCMain window(platform, appDir.Str());
    constructing = &window;
    EXPECT_EQ(platform.messages, std::vector<std::string>{Warning});
    EXPECT_EQ(bitRateSetWhileWarning, std::vector<bool>{false});
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "VQ3 Music Tool 1.4.0");
    EXPECT_EQ(window.BitRate(), 1024);
    EXPECT_EQ(window.findChild<QComboBox*>("cboBitRate")->currentText(), "1024");
}

TEST_F(MainWindowTest, ControlsCarryTheirTextsAndPlaces) {
    EXPECT_EQ(Control<QLabel>("lblDragDrop")->text(),
              "Drag and drop *.mp3 or *.wav files into the box below.");
    EXPECT_EQ(Control<QLabel>("lblBitRate")->text(), "BitRate");
    EXPECT_EQ(Control<QLabel>("lblRec")->text(), "Recommended: 1024");
    EXPECT_EQ(Control<QPushButton>("cmdExport")->text(), "&Convert to .fda");
    auto* combo = Control<QComboBox>("cboBitRate");
    ASSERT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->itemText(0), "2048");
    EXPECT_EQ(combo->itemText(3), "256");
    EXPECT_FALSE(combo->isEditable());

    const double scale = window->logicalDpiX() / 96.0;
    EXPECT_EQ(window->size(), QSize(qRound(368 * scale), qRound(412 * scale)));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(List()->geometry(), QRect(qRound(8 * scale), qRound(32 * scale), qRound(353 * scale),
                                        qRound(319 * scale)));
    EXPECT_EQ(
        Control<QPushButton>("cmdExport")->geometry(),
        QRect(qRound(272 * scale), qRound(360 * scale), qRound(89 * scale), qRound(33 * scale)));
    EXPECT_EQ(List()->font().family(), "Times New Roman");
    EXPECT_DOUBLE_EQ(List()->font().pointSizeF(), 9.75);
}

TEST_F(MainWindowTest, TabMovesFromListToButtonToDropDown) {
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    List()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Control<QPushButton>("cmdExport"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Control<QComboBox>("cboBitRate"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), List());
}

TEST_F(MainWindowTest, AltCPressesConvert) {
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    // A button pressed by its access key animates the press before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !platform.messages.empty(); }, 2000));
    EXPECT_EQ(platform.messages, std::vector<std::string>{"No files to convert!"});
}

TEST_F(MainWindowTest, ChosenBitRateReachesTheScript) {
    const QString song = Put("Song.wav");
    DropOnList({song});
    auto* combo = Control<QComboBox>("cboBitRate");
    for (const auto& [index, rate] : {std::pair{-1, "1024"}, {3, "256"}, {0, "2048"}}) {
        if (index >= 0) {
            combo->setCurrentIndex(index);
        }
        Control<QPushButton>("cmdExport")->click();
        EXPECT_NE(ReadFile(appDir / "vq3mc.bat")
                      .find("\"Song.wav\" \"Song.aifr\" " + std::string(rate) + "\r\n"),
                  std::string::npos)
            << rate;
    }
    EXPECT_EQ(window->BitRate(), 2048);
}

TEST_F(MainWindowTest, MixedDropListsAdmittedFilesInOrderAndRefusesEachOther) {
    TempDir elsewhere;
    WriteFile(elsewhere.Path() / "B.mp3", "x");
    WriteFile(elsewhere.Path() / "C.mp3", "x");
    const QString a = Put("A.mp3");
    Put("C.mp3");
    const QString fromElsewhere = QString::fromStdString(elsewhere / "C.mp3");
    std::filesystem::create_directory(appDir.Path() / "Folder.mp3");
    const QString folder = QString::fromStdString(appDir / "Folder.mp3");

    EXPECT_TRUE(
        DropOnList({a, QString::fromStdString(elsewhere / "B.mp3"), fromElsewhere, folder, a}));
    EXPECT_EQ(Listed(), (QStringList{a, fromElsewhere, a}));
    EXPECT_EQ(platform.messages,
              (std::vector<std::string>{RefusalOf("B.mp3"), RefusalOf("Folder.mp3")}));
}

TEST_F(MainWindowTest, DragsWithoutLocalFilesAreRefused) {
    auto* text = new QMimeData;
    text->setText("Intro.mp3");
    EXPECT_FALSE(DragEnter(List()->viewport(), text).first);
    auto* web = new QMimeData;
    web->setUrls({QUrl("https://example.invalid/Intro.mp3")});
    EXPECT_FALSE(Drop(List()->viewport(), web));
    EXPECT_FALSE(Drop(List()->viewport(), FileDrag({})));
    EXPECT_EQ(List()->count(), 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainWindowTest, OnlyTheListWelcomesFiles) {
    const QString a = Put("A.mp3");
    EXPECT_EQ(DragEnter(List()->viewport(), FileDrag({a})), std::pair(true, Qt::CopyAction));
    for (const char* other : {"lblDragDrop", "cmdExport", "cboBitRate", "lblRec"}) {
        EXPECT_FALSE(Control<QWidget>(other)->acceptDrops()) << other;
    }
    EXPECT_FALSE(window->acceptDrops());
    EXPECT_EQ(List()->count(), 0);
}

TEST_F(MainWindowTest, ListStopsAt32767EntriesAndSaysHowManyWereLeftOut) {
    const QString a = Put("A.wav");
    QStringList many;
    for (int i = 0; i < 32760; ++i) {
        many.append(a);
    }
    DropOnList(many);
    EXPECT_TRUE(platform.messages.empty());
    DropOnList({a, a, a, a, a, a, a, a, a, a});
    EXPECT_EQ(List()->count(), 32767);
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{
                  "The list holds at most 32,767 files, so 3 dropped files were not added."});
    DropOnList({a});
    EXPECT_EQ(platform.messages.back(),
              "The list holds at most 32,767 files, so 1 dropped file was not added.");
}

} // namespace
} // namespace vq3
