#pragma once

#include <QWidget>

#include "core/live/display_element.h"

namespace photara {

// One of the display's 32 x 32 images (clock, arrows, delta, battery outline and bars),
// drawn in the segment ink on a transparent ground so that the battery images can lie
// stacked on one another.
class LcdIcon final : public QWidget {
    Q_OBJECT
  public:
    LcdIcon(Element element, QWidget* parent);
    Element element() const { return element_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Element element_;
};

}  // namespace photara
