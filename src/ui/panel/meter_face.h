#pragma once

#include <QRect>
#include <QWidget>

namespace photara {

// The client area of the panel: the meter's casing with the display glass in its upper half.
// The display elements and the keys are its children, placed in twips from its top-left.
class MeterFace final : public QWidget {
    Q_OBJECT
  public:
    explicit MeterFace(QWidget* parent = nullptr);

    // Where the display glass lies, in pixels of this widget.
    static QRect glassRect();

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace photara
