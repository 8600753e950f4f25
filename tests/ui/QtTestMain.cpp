#include "ui/qt/ApplicationArguments.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

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
