#pragma once

#include <QApplication>
#include <QString>

// The benchmark program's one QApplication, offscreen so that benchmarks run without a
// display and measure painting, not a window system. The offscreen platform warns for each
// window about what it cannot do (size hints, raising); those lines, thousands of times
// over, would bury the figures.
inline QApplication& offscreenApplication() {
    static int argc = 1;
    static char name[] = "photara-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& where,
                                  const QString& text) {
            if (text.startsWith(QLatin1String("This plugin does not support"))) return;
            if (previous) previous(type, where, text);
        });
        return new QApplication(argc, argv);
    }();
    return *app;
}
