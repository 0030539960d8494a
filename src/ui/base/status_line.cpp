#include "ui/base/status_line.h"

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

StatusLine::StatusLine(QStatusBar* bar) : bar_(bar) {}

void StatusLine::say(const QString& text) {
    if (bar_) bar_->showMessage(text, kShownMilliseconds);
}

QString StatusLine::text() const {
    return bar_ ? bar_->currentMessage() : QString();
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
