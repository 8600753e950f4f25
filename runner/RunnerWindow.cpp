#include "runner/RunnerWindow.h"

#include "platform/AppInfo.h"
#include "platform/SystemPlatform.h"
#include "runner/Messages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <thread>

namespace vq3::runner {

namespace {

class TranscriptView : public QPlainTextEdit {
public:
    explicit TranscriptView(const StopRequest& stop) : stop_(stop) {
        setReadOnly(true);
        setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        resize(640, 360);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }
    void Append(const QString& text) {
        moveCursor(QTextCursor::End);
        insertPlainText(text);
        moveCursor(QTextCursor::End);
    }
    void Finish() {
        finished_ = true;
        close();
    }

protected:
    // The window goes only when the script has ended: a stop still has to clean up after the
    // track it interrupts.
    void closeEvent(QCloseEvent* event) override {
        if (finished_) {
            event->accept();
            return;
        }
        event->ignore();
        // One question at a time, and none once the stop is on its way.
        if (asking_ || stop_.Requested()) {
            return;
        }
        asking_ = true;
        const bool stop = AskToStop();
        asking_ = false;
        if (stop) {
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
        return box.exec() == QMessageBox::Yes;
    }

    const StopRequest& stop_;
    bool asking_ = false;
    bool finished_ = false;
};

// Called on the worker thread; hands everything to the window's thread.
class WindowHost : public RunnerHost {
public:
    explicit WindowHost(TranscriptView& view) : view_(view) {}

    void Transcript(std::string_view text) override {
        // Stateful, so a letter split between two reads still decodes whole.
        const QString decoded =
            decoder_.decode(QByteArrayView(text.data(), qsizetype(text.size())));
        QMetaObject::invokeMethod(
            &view_, [this, decoded] { view_.Append(decoded); }, Qt::QueuedConnection);
    }

    void ShowMessage(const std::string& text) override {
        QMetaObject::invokeMethod(
            &view_, [text] { vq3::ShowMessage(text); }, Qt::BlockingQueuedConnection);
    }

private:
    TranscriptView& view_;
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
    TranscriptView view(stop);
    view.setWindowTitle(QString::fromStdString(title));
    view.showMinimized();

    WindowHost host(view);
    int status = 1;
    std::thread worker([&] {
        status = work(host);
        QMetaObject::invokeMethod(
            &view,
            [&] {
                view.Finish();
                app.quit();
            },
            Qt::QueuedConnection);
    });
    app.exec();
    worker.join();
    return status;
}

} // namespace vq3::runner
