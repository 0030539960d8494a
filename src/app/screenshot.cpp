#include "screenshot.h"

#include <QCoreApplication>
#include <QPixmap>
#include <cstdio>

#include "link/meter_link.h"
#include "panel/panel.h"

namespace photara {

FirstReportScreenshot::FirstReportScreenshot(Panel& panel, const MeterLink& link, QString file)
    : panel_(panel), link_(link), file_(std::move(file)) {
    connect(&panel_, &Panel::tickShown, this, [this] {
        // A tick leaves the link connected only when the meter answered it.
        if (link_.connected()) save(0);
    });
    grace_.setSingleShot(true);
    connect(&grace_, &QTimer::timeout, this, [this] {
        std::fprintf(stderr, "photara: no display report within %d s; saving the panel as it is\n",
                     kGraceMilliseconds / 1000);
        save(1);
    });
    grace_.start(kGraceMilliseconds);
}

void FirstReportScreenshot::save(int exitCode) {
    if (done_) return;
    done_ = true;
    grace_.stop();
    panel_.pollTimer().stop();
    if (!panel_.grab().save(file_, "PNG")) {
        std::fprintf(stderr, "photara: cannot write the screenshot to %s\n", qPrintable(file_));
        exitCode = 1;
    }
    QCoreApplication::exit(exitCode);
}

}  // namespace photara
