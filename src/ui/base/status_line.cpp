#include "ui/base/status_line.h"

#include <QAccessible>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>

#include "core/meter/guards.h"
#include "ui/base/app_context.h"

namespace photara {

StatusLine::StatusLine(QStatusBar* bar) {
    expiry_.setSingleShot(true);
    expiry_.setInterval(kShownMilliseconds);
    if (!bar) return;
    label_ = new QLabel(bar);
    label_->setObjectName(QStringLiteral("StatusMessage"));
    // No accessible name of its own: a screen reader reads the sentence itself.
    // The panel's width follows the meter's face, never a sentence: a long sentence wraps
    // onto further lines of the bar instead, so that it always shows whole (and, in its tool
    // tip, stays readable while the pointer rests on it).
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label_->setWordWrap(true);
    label_->setContentsMargins(4, 0, 4, 0);
    label_->installEventFilter(&fit_);
    bar->addWidget(label_, 1);
    fitHeight();
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
    // A wrapped label tells the bar the height of a guessed width, often three lines for one:
    // its height is fixed here to what its text takes at the width it got, at least a line.
    const QWidget* bar = label_->parentWidget();
    const int width = label_->width() > 1 ? label_->width() : (bar ? bar->width() : 0);
    const int line = label_->fontMetrics().height() + label_->contentsMargins().top() +
                     label_->contentsMargins().bottom();
    // The label answers no less than its minimum height: free it before asking.
    const int before = label_->minimumHeight();
    label_->setMinimumHeight(0);
    const int height = label_->text().isEmpty() || width <= 1
                           ? line
                           : std::max(line, label_->heightForWidth(width));
    label_->setMinimumHeight(before);
    if (label_->height() != height || label_->minimumHeight() != height)
        label_->setFixedHeight(height);
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
    if (refusedForLoggerRecording(refusal))
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
