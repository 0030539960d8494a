#pragma once

#include <QLabel>

namespace photara {

// One character cell of the LCD: its caption drawn in seven segments, the unlit segments
// faintly visible as on the meter's glass. A character seven segments cannot draw is
// lettered in the cell instead. The caption stays the label's text.
class LcdCell final : public QLabel {
    Q_OBJECT
  public:
    explicit LcdCell(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A decimal point, colon or slash lying in the gap between two cells.
class LcdMark final : public QLabel {
    Q_OBJECT
  public:
    explicit LcdMark(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace photara
