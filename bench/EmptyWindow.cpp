// The start-up baseline: a minimal Qt Widgets program that shows one window holding a line of
// text, and quits. Like the tool's window it draws text, so both load the font machinery.
#include "bench/PeakMemory.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window("Drag and drop *.mp3 or *.wav files into the box below.");
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    const int status = app.exec();
    vq3::bench::ReportPeakMemory();
    return status;
}
