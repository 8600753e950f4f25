#include "runner/RunnerWindow.h"

#include "platform/AppInfo.h"
#include "runner/Messages.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/MessageBoxDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTimer>
#include <QVBoxLayout>
#include <thread>

namespace vq3::runner {

namespace {

// The label's width while a track converts, in pixels.
constexpr int StatusWidth = 400;

// Keys that alone press nothing, as the Command Prompt's pause sees it.
const QList<int> ModifierKeys{Qt::Key_Shift, Qt::Key_Control,  Qt::Key_Alt,    Qt::Key_Meta,
                              Qt::Key_AltGr, Qt::Key_CapsLock, Qt::Key_NumLock};

QString Elapsed(qint64 ms) {
    const qint64 seconds = ms / 1000;
    return QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}

// Which track converts, how far the run has got and for how long; the transcript is a click
// away. Closing it while the script runs asks once whether to stop.
class ProgressWindow : public QWidget {
public:
    ProgressWindow(const StopRequest& stop, const Latch& keyPressed)
        : stop_(stop), keyPressed_(keyPressed) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        status_ = new QLabel(ConvertingText, this);
        status_->setTextFormat(Qt::PlainText);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, 0);
        bar_->setFormat("%v of %m done");
        time_ = new QLabel(this);
        details_ = new QPushButton(ShowDetailsText, this);
        details_->setCheckable(true);
        transcript_ = new QPlainTextEdit(this);
        transcript_->setReadOnly(true);
        transcript_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        transcript_->setMinimumSize(560, 240);
        transcript_->hide();
        connect(details_, &QPushButton::toggled, this, [this](bool shown) {
            details_->setText(shown ? HideDetailsText : ShowDetailsText);
            transcript_->setVisible(shown);
            // The latest lines, once the shown transcript is laid out.
            QTimer::singleShot(0, transcript_, [this] {
                transcript_->verticalScrollBar()->setValue(
                    transcript_->verticalScrollBar()->maximum());
            });
        });

        auto* timeRow = new QHBoxLayout;
        timeRow->addWidget(time_, 1);
        timeRow->addWidget(details_);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(status_);
        layout->addWidget(bar_);
        layout->addLayout(timeRow);
        layout->addWidget(transcript_, 1);
        // The window fits what it shows, with the transcript or without it.
        layout->setSizeConstraint(QLayout::SetFixedSize);
        status_->setMinimumWidth(StatusWidth);

        clock_.start();
        connect(&ticker_, &QTimer::timeout, this, &ProgressWindow::ShowTime);
        ticker_.start(1000);
        ShowTime();
    }

    void Append(const QString& text) {
        transcript_->moveCursor(QTextCursor::End);
        transcript_->insertPlainText(text);
        transcript_->moveCursor(QTextCursor::End);
    }

    // The script's title, as the Command Prompt's title bar shows it; a track's also in the window.
    void ShowTitle(const QString& title, const std::optional<TrackProgress>& progress) {
        SetTitle(title);
        if (!progress) {
            return;
        }
        // No wider than the label, as a window manager may bring up a minimized window whose size
        // changes: a long name is cut short in the middle, and a screen reader has it whole.
        SetStatus(QString("Converting %1 of %2: %3")
                      .arg(progress->number)
                      .arg(progress->count)
                      .arg(QString::fromStdString(progress->name)),
                  Qt::ElideMiddle);
        bar_->setRange(0, static_cast<int>(progress->count));
        bar_->setValue(static_cast<int>(progress->number - 1));
        bar_->setAccessibleName(bar_->text());
    }

    void SetStatus(const QString& text, Qt::TextElideMode elide = Qt::ElideNone) {
        status_->setAccessibleName(text);
        status_->setText(elide == Qt::ElideNone
                             ? text
                             : status_->fontMetrics().elidedText(text, elide, StatusWidth));
    }

    // Minimized, the window is known by its icon text: to a screen reader too.
    void SetTitle(const QString& title) {
        setWindowTitle(title);
        setWindowIconText(title);
    }

    // What came of the run, in tracks: in the title, the label and the bar.
    void ShowOutcome(const RunOutcome& outcome) {
        const QString text = QString::fromStdString(OutcomeText(outcome));
        SetTitle(QString(AppInfo::AppTitle) + ": " + text);
        SetStatus(text);
        bar_->setRange(0, std::max(1, static_cast<int>(outcome.count)));
        bar_->setValue(static_cast<int>(outcome.converted.size()));
        bar_->setFormat(text);
        bar_->setAccessibleName(text);
    }

    // The run's result is about to show: a stop question still open has nothing left to stop.
    void EndQuestion() {
        resultShown_ = true;
        ticker_.stop();
        time_->setText(TimeTakenText + Elapsed(clock_.elapsed()));
        if (question_ != nullptr) {
            question_->done(QMessageBox::No);
        }
    }

    // After a failure the window comes up and shows what failed, as the Command Prompt does, and
    // any key in it, whichever control has the focus, ends the run. It comes up beside the failure
    // summary, as a window shown anew: a window manager activates a minimized one it restores,
    // and a key meant for another window would end the wait unread.
    void WaitForKey() {
        SetStatus(status_->accessibleName() + ".  " + PressAKeyText);
        details_->setChecked(true);
        if (isMinimized()) {
            hide();
        }
        showNormal();
        raise();
        qApp->installEventFilter(this);
    }

    void Finish() {
        finished_ = true;
        close();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (event->type() == QEvent::KeyPress && widget != nullptr && widget->window() == this &&
            !ModifierKeys.contains(static_cast<const QKeyEvent*>(event)->key())) {
            qApp->removeEventFilter(this);
            keyPressed_.Set();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }

    // The window goes only when the script has ended: a stop still has to clean up after the
    // track it interrupts.
    void closeEvent(QCloseEvent* event) override {
        if (finished_) {
            event->accept();
            return;
        }
        event->ignore();
        // Once the result is out, closing only means the user has read it.
        if (resultShown_) {
            keyPressed_.Set();
            return;
        }
        // One question at a time, and none once the stop is on its way.
        if (question_ != nullptr || stop_.Requested()) {
            return;
        }
        if (AskToStop()) {
            stop_.Request();
        }
    }

private:
    bool AskToStop() {
        QMessageBox box(this);
        box.setWindowTitle(AppInfo::AppTitle);
        box.setTextFormat(Qt::PlainText);
        box.setText(StopQuestion);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        question_ = &box;
        const bool stop = box.exec() == QMessageBox::Yes;
        question_ = nullptr;
        return stop;
    }

    void ShowTime() { time_->setText(TimeSoFarText + Elapsed(clock_.elapsed())); }

    const StopRequest& stop_;
    const Latch& keyPressed_;
    QLabel* status_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* time_ = nullptr;
    QPushButton* details_ = nullptr;
    QPlainTextEdit* transcript_ = nullptr;
    QElapsedTimer clock_;
    QTimer ticker_;
    QMessageBox* question_ = nullptr;
    bool resultShown_ = false;
    bool finished_ = false;
};

// The boxes of a run, shown as Windows' msg shows them: the run goes on without waiting for them,
// and the program ends once the run has and the user has dismissed every box. Each stays above
// other windows without taking the focus, so a key meant for another window never dismisses one
// unread.
class ResultBoxes : public QObject {
public:
    void Show(const std::string& text) {
        QDialog* box = NewMessageBox(text).release();
        box->setAttribute(Qt::WA_ShowWithoutActivating);
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
        connect(box, &QDialog::finished, box, &QObject::deleteLater);
        connect(box, &QObject::destroyed, this, [this] {
            --open_;
            QuitOnceDone();
        });
        ++open_;
        box->show();
    }

    void RunEnded() {
        runEnded_ = true;
        QuitOnceDone();
    }

private:
    void QuitOnceDone() const {
        if (runEnded_ && open_ == 0) {
            QApplication::quit();
        }
    }

    int open_ = 0;
    bool runEnded_ = false;
};

// Called on the worker thread; hands everything to the window's thread.
class WindowHost : public RunnerHost {
public:
    WindowHost(ProgressWindow& window, ResultBoxes& boxes, const Latch& keyPressed)
        : window_(window), boxes_(boxes), keyPressed_(keyPressed) {}

    void Transcript(std::string_view text) override {
        // Stateful, so a letter split between two reads still decodes whole.
        const QString decoded =
            decoder_.decode(QByteArrayView(text.data(), qsizetype(text.size())));
        Post([this, decoded] { window_.Append(decoded); });
    }

    void ShowMessage(const std::string& text) override {
        Post([this, text] {
            window_.EndQuestion();
            boxes_.Show(text);
        });
    }

    void Title(const std::string& title, const std::optional<TrackProgress>& track) override {
        Post([this, title = QString::fromStdString(title), track] {
            window_.ShowTitle(title, track);
        });
    }

    void Outcome(const RunOutcome& outcome) override {
        Post([this, outcome] { window_.ShowOutcome(outcome); });
    }

    void Pause(const StopRequest& stop) override {
        Post([this] { window_.WaitForKey(); });
        WaitForEither(keyPressed_, stop);
    }

private:
    template <typename Work> void Post(Work work) {
        QMetaObject::invokeMethod(&window_, std::move(work), Qt::QueuedConnection);
    }

    ProgressWindow& window_;
    ResultBoxes& boxes_;
    const Latch& keyPressed_;
    QStringDecoder decoder_{QStringDecoder::Utf8};
};

} // namespace

int RunInWindow(const std::string& title, const StopRequest& stop,
                const std::function<int(RunnerHost&)>& work) {
    // Qt reads options of its own (-style, -reverse, ...) from the arguments: it gets none.
    char name[] = "vq3run";
    char* arguments[] = {name, nullptr};
    int count = 1;
    QApplication app(count, arguments);
    app.setQuitOnLastWindowClosed(false);
    // The tool's own icon on the window and on every box.
    QApplication::setWindowIcon(AppIcon());
    Latch keyPressed;
    ProgressWindow window(stop, keyPressed);
    window.SetTitle(QString::fromStdString(title));
    // Minimized before it is mapped, the window manager is never told: it is minimized once shown.
    window.show();
    window.showMinimized();

    ResultBoxes boxes;
    WindowHost host(window, boxes, keyPressed);
    int status = 1;
    std::thread worker([&] {
        status = work(host);
        QMetaObject::invokeMethod(
            &window,
            [&] {
                window.Finish();
                boxes.RunEnded();
            },
            Qt::QueuedConnection);
    });
    app.exec();
    worker.join();
    return status;
}

} // namespace vq3::runner
