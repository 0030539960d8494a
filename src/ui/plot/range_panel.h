#pragma once

#include <QFrame>

#include "core/plot/range_entry.h"

class QGroupBox;
class QLineEdit;

namespace photara {

// The range panel "PicRange": minimum and maximum of each scale, Counts, and OK. The boxes
// take the characters a number needs and the editing keys (arrows, Home/End, Backspace,
// Delete, Tab between boxes, Ctrl shortcuts); Enter applies the panel and so does any other
// character typed in error; Esc closes it without applying. It takes the keyboard focus when
// shown and gives it back to the window when hidden, so no typing goes into a hidden box.
class RangePanel final : public QFrame {
    Q_OBJECT
  public:
    explicit RangePanel(QWidget* parent = nullptr);

    // Fills the boxes from the settings and the Counts text.
    void fill(const PlotSettings& settings, const QString& counts);
    RangeEntry entry() const;

  signals:
    void applyRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QLineEdit* box(const QString& name, bool decimalPoint);

    QGroupBox* secondFrame_ = nullptr;
    QLineEdit* firstMinimum_ = nullptr;
    QLineEdit* firstMaximum_ = nullptr;
    QLineEdit* secondMinimum_ = nullptr;
    QLineEdit* secondMaximum_ = nullptr;
    QLineEdit* counts_ = nullptr;
};

}  // namespace photara
