#include "ui/base/status_line.h"

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
    // The panel's size follows its contents: a long sentence is cut at the edge (the whole
    // of it in the tool tip), never widening the window.
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label_->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(label_, 1);
    QObject::connect(&expiry_, &QTimer::timeout, label_, [label = label_] {
        label->clear();
        label->setToolTip(QString());
    });
}

void StatusLine::say(const QString& text) {
    if (!label_) return;
    label_->setText(text);
    label_->setToolTip(text);
    expiry_.start();
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
