#include "app/screenshot.h"

#include <QCoreApplication>
#include <QPixmap>
#include <cstdio>

#include "ui/base/gui_meter_session.h"
#include "ui/panel/panel.h"

namespace photara {

FirstReportScreenshot::FirstReportScreenshot(Panel& panel, const GuiMeterSession& meter,
                                             QString file)
    : panel_(panel), meter_(meter), file_(std::move(file)) {
    connect(&panel_, &Panel::tickShown, this, [this] {
        if (meter_.lastPollAnswered()) save(0);
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
