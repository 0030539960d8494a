#include "ui/clock/setup_window.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "ui/base/gui_meter_session.h"
#include "core/clock/meter_clock.h"
#include "core/common/local_time.h"
#include "ui/logger/click_filter.h"
#include "ui/panel/twips.h"

namespace photara {
namespace {

const QString kMeterTimeCaption = QStringLiteral("Meter Time");
const QString kPcTimeCaption = QStringLiteral("PC System Time");
// Shown instead of a time when the meter's clock did not answer: an old answer's bytes
// would look like a time.
const QString kNoMeterAnswer = QStringLiteral("Meter not answering");

QLabel* timeLabel(const char* name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(200);
    label->setToolTip(QStringLiteral("Click to show or hide this clock"));
    return label;
}

}  // namespace

SetupWindow::SetupWindow(GuiMeterSession& meter, const Clock& clock, QWidget* panel)
    : QDialog(panel), meter_(meter), clock_(clock) {
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral("Setup"));
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("Time"), this);
    frame->setObjectName(QStringLiteral("FrameTime"));
    meterTime_ = timeLabel("LblMeterTime", kMeterTimeCaption, frame);
    pcTime_ = timeLabel("LblPCTime", kPcTimeCaption, frame);
    auto* setTime = new QPushButton(QStringLiteral("Set Meter Time To System Time"), frame);
    setTime->setObjectName(QStringLiteral("CmdSetTime"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("CmdExit"));

    // Once read, both rows show bare times: their row labels say whose clock is whose.
    auto* frameLayout = new QFormLayout(frame);
    frameLayout->addRow(QStringLiteral("Meter"), meterTime_);
    frameLayout->addRow(QStringLiteral("PC"), pcTime_);
    auto* hint = new QLabel(QStringLiteral("Click a clock to stop or start reading it."), frame);
    hint->setObjectName(QStringLiteral("LblHint"));
    frameLayout->addRow(hint);
    frameLayout->addRow(setTime);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(exit, 0, Qt::AlignRight);

    onClick(meterTime_, [this] { toggleMeterTime(); });
    onClick(pcTime_, [this] { showPcTime_ = !showPcTime_; });
    connect(setTime, &QPushButton::clicked, this, [this] { setMeterClock(); });
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &SetupWindow::tick);

    adjustSize();
    placeOn(panel);
    timer_.start();
}

void SetupWindow::placeOn(const QWidget* panel) {
    if (!panel) return;
    const QRect frame = panel->frameGeometry();
    move(frame.x() + (frame.width() - width()) / 2,
         frame.y() + twipsToPixels(kOffsetBelowPanelTwips));
}

void SetupWindow::tick() {
    // A tick that comes while this one waits for the meter's clock would only ask again.
    if (reading_) return;
    const QScopedValueRollback<bool> reading(reading_, true);
    if (showMeterTime_) {
        const WaitingAnswer waiting =
            std::exchange(discardFirst_, false) ? WaitingAnswer::Discard : WaitingAnswer::Keep;
        const MeterOutcome<LocalDateTime> time = meter_.await(meter_.core().readClock(waiting));
        meterTime_->setText(time ? QString::fromStdString(formatMeterClock(*time)) : kNoMeterAnswer);
    } else {
        meterTime_->setText(kMeterTimeCaption);
    }
    pcTime_->setText(showPcTime_ ? QString::fromStdString(formatLocalTime(clock_.now()))
                                 : kPcTimeCaption);
}

void SetupWindow::toggleMeterTime() {
    showMeterTime_ = !showMeterTime_;
    discardFirst_ = showMeterTime_;
}

void SetupWindow::setMeterClock() {
    if (reading_) return;
    const QScopedValueRollback<bool> reading(reading_, true);
    const LocalDateTime now = clock_.now();
    if (meter_.await(meter_.core().setClock(now)))
        emit meterClockSet(QString::fromStdString(formatLocalTime(now)));
    else
        emit meterClockNotSet();
}

void SetupWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Both clocks at once, not a second later: the first tick runs as soon as the window is up.
    if (!event->spontaneous()) QTimer::singleShot(0, this, [this] {
        if (isVisible()) tick();
    });
}

void SetupWindow::hideEvent(QHideEvent* event) {
    timer_.stop();  // however the window goes away, it stops asking the meter
    QDialog::hideEvent(event);
}

}  // namespace photara
