#pragma once

#include <QWidget>
#include <array>
#include <bitset>

#include "live/display_element.h"

namespace photara {

class DisplayModel;

// The display elements of the panel as widgets: one QLabel or drawn image per element, at
// its design place, size, font and alignment, with its design caption and visibility. Each
// widget's objectName is its element's name.
class LcdDisplay {
  public:
    // Creates the widgets as children of face (the client area).
    explicit LcdDisplay(QWidget& face);

    // Elements whose widget is made elsewhere (the REF key of the keypad).
    void attach(Element element, QWidget* widget);

    QWidget* widget(Element element) const { return widgets_[index(element)]; }

    // Copies caption, visibility and enabled state of the changed elements onto their widgets.
    void show(const DisplayModel& model, const std::bitset<kElementCount>& changes);

  private:
    std::array<QWidget*, kElementCount> widgets_{};
};

}  // namespace photara
