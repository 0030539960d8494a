#include "ui/live/stability_indicator.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/procedure/reading_input.h"
#include "core/series/stability_text.h"

namespace photara {
namespace {

const char* const kDefaultPreset = "spot";

QString colourOf(StabilityState state) {
    switch (state) {
        case StabilityState::Settling: return QStringLiteral("#b36b00");
        case StabilityState::Stable: return QStringLiteral("#1a7f2e");
        case StabilityState::Drifting: return QStringLiteral("#b3261e");
        case StabilityState::NoReading: break;
    }
    return QStringLiteral("#666666");
}

}  // namespace

StabilityIndicator::StabilityIndicator(QWidget* parent)
    : QWidget(parent), detector_(*stabilityPreset(kDefaultPreset)) {
    setObjectName(QStringLiteral("stability"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    preset_ = new QComboBox(this);
    preset_->setObjectName(QStringLiteral("stabilityPreset"));
    preset_->setToolTip(QStringLiteral("When the luminance counts as stable"));
    for (const std::string& name : stabilityPresetNames()) preset_->addItem(QString::fromStdString(name));
    preset_->setCurrentText(QString::fromLatin1(kDefaultPreset));
    line_ = new QLabel(this);
    line_->setObjectName(QStringLiteral("stabilityLine"));
    line_->setMinimumWidth(line_->fontMetrics().horizontalAdvance(
        QStringLiteral("stable for 0000 s (settled in 000 s)")));
    mark_ = new QPushButton(QStringLiteral("Mark stable from here"), this);
    mark_->setObjectName(QStringLiteral("markStable"));
    mark_->setToolTip(QStringLiteral("Mark the trend where the stable readings began"));
    layout->addWidget(new QLabel(QStringLiteral("Stability:"), this));
    layout->addWidget(preset_);
    layout->addWidget(line_);
    layout->addWidget(mark_);

    connect(preset_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        if (const auto criteria = stabilityPreset(name.toStdString())) detector_ = StabilityDetector(*criteria);
        refresh(now_);
    });
    connect(mark_, &QPushButton::clicked, this, [this] {
        if (const auto from = status().stableFrom; from && status().state == StabilityState::Stable)
            emit markStable(*from);
    });
    refresh(now_);
}

void StabilityIndicator::add(double t, const std::optional<Reading>& reading) {
    now_ = t;
    const std::optional<double> value = readingInput(reading).value();
    if (!value) {
        detector_.reset();  // a gap: the next luminance starts the clock again
    } else if (detector_.add(t, value).step) {
        detector_.reset();  // times count from the step, not from before it
        detector_.add(t, value);
    }
    refresh(t);
}

void StabilityIndicator::refresh(double now) {
    const StabilityStatus& s = status();
    line_->setText(QString::fromStdString(stabilityLine(s, now)));
    line_->setStyleSheet(QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(colourOf(s.state)));
    mark_->setEnabled(s.state == StabilityState::Stable && s.stableFrom.has_value());
}

}  // namespace photara
