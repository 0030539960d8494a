#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <optional>

#include "core/meter/guards.h"

class QLabel;
class QStatusBar;

namespace photara {

struct AppContext;

// Tells when the status line's label changes size, so that its height follows its width.
class LabelHeightFit : public QObject {
    Q_OBJECT
  public:
    bool eventFilter(QObject* watched, QEvent* event) override;
  signals:
    void resized();
};

// The panel's status line: one sentence about what a command did (saved, set, erased,
// downloaded), why it did nothing, or that a read from the meter failed, shown for a few
// seconds, whole (wrapped onto more lines when long); the next sentence takes its place.
// Everything reports here instead of poking the bar. The sentence is a label of its own in
// the bar, not the bar's temporary message: that one belongs to the toolbar's hover
// tips, and a pointer leaving the button just clicked would wipe the answer at once. A tip
// covers the sentence while it shows; the live recording state keeps its place at the right.
class StatusLine {
  public:
    static constexpr int kShownMilliseconds = 8000;

    explicit StatusLine(QStatusBar* bar = nullptr);
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;

    void say(const QString& text);
    QString text() const;  // what the line says now (empty once it has gone)

  private:
    void fitHeight();

    QPointer<QLabel> label_;
    QTimer expiry_;
    LabelHeightFit fit_;
};

// "No meter connected", or which lit annunciator stopped the command and what to do about it.
QString refusalStatusText(const Refusal& refusal);

// Says text on the context's status line, when the program has one.
void sayOnStatusLine(const AppContext& context, const QString& text);

// True when a guard refused the command; the status line then says why.
bool refusedAloud(const AppContext& context, const std::optional<Refusal>& refusal);

}  // namespace photara
