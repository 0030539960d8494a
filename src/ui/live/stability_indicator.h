#pragma once

#include <QWidget>
#include <optional>

#include "core/reading/reading.h"
#include "core/series/stability.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace photara {

// Whether the live luminance is stable, as the guide judges it: the preset's rules, a line
// "settling for 4 s" / "stable for 12 s" / "drifting" / "no reading" in its colour, and a
// button that marks the trend where the stable window began. The clock starts again at each
// step (the aim or the field changed) and after each gap (no luminance reading).
class StabilityIndicator final : public QWidget {
    Q_OBJECT
  public:
    explicit StabilityIndicator(QWidget* parent = nullptr);

    // One poll at t (seconds on the trend's clock): the reading the display showed, none when
    // the meter did not answer.
    void add(double t, const std::optional<Reading>& reading);
    const StabilityStatus& status() const { return detector_.status(); }

    QComboBox* presetChoice() const { return preset_; }
    QLabel* line() const { return line_; }
    QPushButton* markButton() const { return mark_; }

  signals:
    // The user asked for a mark at t, where the stable window began.
    void markStable(double t);

  private:
    void refresh(double now);

    StabilityDetector detector_;
    double now_ = 0;
    QComboBox* preset_;
    QLabel* line_;
    QPushButton* mark_;
};

}  // namespace photara
