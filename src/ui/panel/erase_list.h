#pragma once

#include <QComboBox>

namespace photara {

// ComboErase: the drop-down list of logger sets to erase, at the top left of the panel and
// hidden until the Erase command fills it. Every key press in it is discarded, and so is the
// mouse wheel: a closed combo box would otherwise step to the next item and report it as
// chosen, erasing a set by accident. Only a deliberate choice from the open list counts.
class EraseList final : public QComboBox {
    Q_OBJECT
  public:
    explicit EraseList(QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

}  // namespace photara
