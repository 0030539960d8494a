#include "ui/base/status_line.h"

#include <QLabel>
#include <QStatusBar>

#include "core/live/display_element.h"
#include "ui/base/app_context.h"

namespace photara {
namespace {

bool recordingGroup(Element e) {
    return e == Element::LblREC || e == Element::LblAMRA || e == Element::LblAMRM ||
           e == Element::LblAMRR;
}

// The annunciator as the user finds it on the display: the memory-recording group's letters
// are named with their group (LblA is another "A"), and delta is drawn, not written.
QString annunciatorName(Element e) {
    switch (e) {
        case Element::LblAMRA: return QStringLiteral("AMR-A");
        case Element::LblAMRM: return QStringLiteral("AMR-M");
        case Element::LblAMRR: return QStringLiteral("AMR-R");
        case Element::ImaDelta: return QStringLiteral("Δ");
        default: {
            const std::string_view caption = design(e).caption;
            return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
        }
    }
}

}  // namespace

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
    const QString name = annunciatorName(refusal.lit);
    if (recordingGroup(refusal.lit))
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
