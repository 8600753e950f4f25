// The start-up baseline: a minimal Qt Widgets program that shows one empty window and quits.
#include "bench/PeakMemory.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    const int status = app.exec();
    vq3::bench::ReportPeakMemory();
    return status;
}
