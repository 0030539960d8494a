#include "ui/base/status_line.h"

#include <QAccessible>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>

#include "core/meter/guards.h"
#include "ui/base/app_context.h"

namespace photara {

StatusLine::StatusLine(QStatusBar* bar) {
    expiry_.setSingleShot(true);
    expiry_.setInterval(kShownMilliseconds);
    if (!bar) return;
    label_ = new QLabel(bar);
    label_->setObjectName(QStringLiteral("StatusMessage"));
    label_->setAccessibleName(QStringLiteral("Status"));
    // The panel's width follows the meter's face, never a sentence: a long sentence wraps
    // onto further lines of the bar instead, so that it always shows whole (and, in its tool
    // tip, stays readable while the pointer rests on it).
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label_->setWordWrap(true);
    label_->setContentsMargins(4, 0, 4, 0);
    label_->installEventFilter(&fit_);
    bar->addWidget(label_, 1);
    QObject::connect(&fit_, &LabelHeightFit::resized, label_, [this] { fitHeight(); });
    QObject::connect(&expiry_, &QTimer::timeout, label_, [this] {
        label_->clear();
        label_->setToolTip(QString());
        fitHeight();
    });
}

void StatusLine::say(const QString& text) {
    if (!label_) return;
    label_->setText(text);
    label_->setToolTip(text);
    fitHeight();
    expiry_.start();
    // A screen reader speaks the news as it comes, as it would a notice.
    QAccessibleEvent announce(label_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&announce);
}

void StatusLine::fitHeight() {
    // A wrapped label does not tell the bar its height for the width it gets: ask it.
    const int width = label_->width() > 0 ? label_->width() : label_->sizeHint().width();
    const int height = label_->text().isEmpty() ? 0 : label_->heightForWidth(width);
    if (label_->minimumHeight() != height) label_->setMinimumHeight(height);
}

bool LabelHeightFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) emit resized();
    return QObject::eventFilter(watched, event);
}

QString StatusLine::text() const {
    return label_ ? label_->text() : QString();
}

QString refusalStatusText(const Refusal& refusal) {
    if (refusal.reason == Refusal::Reason::NotConnected) return QStringLiteral("No meter connected");
    const QString name = QString::fromStdString(annunciatorName(refusal.lit));
    if (refusedForRecording(refusal))
        return QStringLiteral("The meter is recording (%1) — stop the recording first").arg(name);
    return QStringLiteral("The meter is in a measuring or setting mode (%1) — leave it first")
        .arg(name);
}

void sayOnStatusLine(const AppContext& context, const QString& text) {
    if (context.status) context.status->say(text);
}

bool refusedAloud(const AppContext& context, const std::optional<Refusal>& refusal) {
    if (!refusal) return false;
    sayOnStatusLine(context, refusalStatusText(*refusal));
    return true;
}

}  // namespace photara
