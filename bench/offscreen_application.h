#pragma once

#include <QApplication>

// The benchmark program's one QApplication, offscreen so that benchmarks run without a
// display and measure painting, not a window system.
inline QApplication& offscreenApplication() {
    static int argc = 1;
    static char name[] = "photara-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}
