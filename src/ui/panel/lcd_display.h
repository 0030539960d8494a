#pragma once

#include <QWidget>
#include <array>
#include <bitset>

#include "core/live/display_element.h"

class QLabel;

namespace photara {

class DisplayModel;

// The display elements of the panel as widgets: a seven-segment cell for each character
// position, a drawn mark for each decimal point and separator, a QLabel or drawn image for
// every other element, with its design caption, font and alignment. Each widget's
// objectName is its element's name, its accessible name says what it is.
//
// Until the first display report the LCD is blank: every cell unlit, every legend and
// image dark, only the title below the glass shown.
class LcdDisplay {
  public:
    // Creates the widgets as children of face (the client area), blank.
    explicit LcdDisplay(QWidget& face);

    // Elements whose widget is made elsewhere (the REF key of the keypad).
    void attach(Element element, QWidget* widget);

    QWidget* widget(Element element) const { return widgets_[index(element)]; }
    // "Main reading": the main reading and its unit as one accessible text.
    QLabel* mainReading() const { return mainReading_; }

    bool lit() const { return lit_; }

    // Copies caption, visibility and enabled state of the changed elements onto their widgets;
    // the first call lights the display and shows every element.
    void show(const DisplayModel& model, const std::bitset<kElementCount>& changes);
    // While blank only the title and the REF key follow the model.
    void showBlank(const DisplayModel& model, const std::bitset<kElementCount>& changes);

  private:
    void showElement(const DisplayModel& model, Element element);

    std::array<QWidget*, kElementCount> widgets_{};
    QLabel* mainReading_ = nullptr;
    bool lit_ = false;
};

}  // namespace photara
