#pragma once

#include <QPointer>
#include <QString>
#include <optional>

#include "core/meter/guards.h"

class QStatusBar;

namespace photara {

struct AppContext;

// The panel's status line: one sentence about what a command did (saved, set, erased,
// downloaded), why it did nothing, or that a read from the meter failed, shown for a few
// seconds. Everything reports here instead of poking the bar, so the bar's other tenant,
// the live recording state at its right, keeps its place.
class StatusLine {
  public:
    static constexpr int kShownMilliseconds = 8000;

    explicit StatusLine(QStatusBar* bar = nullptr);

    void say(const QString& text);
    QString text() const;  // what the line shows now

  private:
    QPointer<QStatusBar> bar_;
};

// "No meter connected", or which lit annunciator stopped the command and what to do about it.
QString refusalStatusText(const Refusal& refusal);

// Says text on the context's status line, when the program has one.
void sayOnStatusLine(const AppContext& context, const QString& text);

// True when a guard refused the command; the status line then says why.
bool refusedAloud(const AppContext& context, const std::optional<Refusal>& refusal);

}  // namespace photara
