#include "ui/panel/lcd_display.h"

#include <QLabel>

#include "ui/base/latin1.h"
#include "core/live/display_model.h"
#include "ui/panel/lcd_cell.h"
#include "ui/panel/lcd_icon.h"
#include "ui/panel/lcd_layout.h"
#include "ui/base/accessible_tree.h"
#include "ui/panel/lcd_names.h"
#include "ui/panel/meter_look.h"

namespace photara {
namespace {

bool isCell(Element element) {
    for (Element cell : kDigitPositions)
        if (cell == element) return true;
    return false;
}

// Elements that are not part of the glass: shown while the LCD is still blank.
bool offGlass(Element element) {
    return element == Element::LblName || element == Element::Cmdref;
}

QLabel* makeLabel(const ElementDesign& d, Element element, QWidget& face) {
    QLabel* label = nullptr;
    if (isCell(element)) {
        label = new LcdCell(&face);
    } else if (cellBefore(element)) {
        label = new LcdMark(&face);
    } else {
        label = new QLabel(&face);
    }
    label->setText(latin1(d.caption));
    label->setFont(look::displayFont(d.fontPoints));
    // Captions sit at the top of their box, as on the meter.
    const Qt::Alignment horizontal =
        d.alignment == Alignment::Right ? Qt::AlignRight : Qt::AlignHCenter;
    label->setAlignment(horizontal | Qt::AlignTop);
    QPalette palette = label->palette();
    // The title is printed on the casing below the glass; everything else is a segment.
    const bool onCasing = element == Element::LblName;
    palette.setColor(QPalette::WindowText, onCasing ? look::kLegend : look::kInk);
    label->setPalette(palette);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

LcdDisplay::LcdDisplay(QWidget& face) {
    for (std::size_t i = 0; i < kElementCount; ++i) {
        const auto element = static_cast<Element>(i);
        const ElementDesign& d = design(element);
        QWidget* widget = nullptr;
        switch (d.kind) {
            case ElementKind::Label:
                widget = makeLabel(d, element, face);
                break;
            case ElementKind::Image:
                widget = new LcdIcon(element, &face);
                break;
            case ElementKind::Button:
                continue;  // made by the keypad, attached later
        }
        widget->setObjectName(latin1(d.name));
        widget->setAccessibleName(accessibleNameOf(element));
        keepOutOfAccessibleTree(*widget);  // the display speaks for its cells and legends
        widget->setGeometry(lcdRect(element));
        // Blank: the cells show their unlit segments, nothing else of the glass shows.
        if (isCell(element)) {
            static_cast<QLabel*>(widget)->clear();
        } else {
            widget->setVisible(offGlass(element) && d.visible);
        }
        widgets_[i] = widget;
    }
    // Over the glass, drawing nothing: a screen reader finds the whole display in one piece,
    // its name the reading with the lit indicators.
    mainReading_ = new QLabel(&face);
    mainReading_->setObjectName(QStringLiteral("MainReading"));
    mainReading_->setAccessibleName(QStringLiteral("Display dark"));
    mainReading_->setAccessibleDescription(QStringLiteral("The meter's display"));
    mainReading_->setAttribute(Qt::WA_TransparentForMouseEvents);
    mainReading_->setGeometry(lcdRect(Element::LblSeg1).united(lcdRect(Element::Lblh2)));
}

void LcdDisplay::attach(Element element, QWidget* widget) {
    widgets_[index(element)] = widget;
}

void LcdDisplay::showElement(const DisplayModel& model, Element element) {
    QWidget* widget = widgets_[index(element)];
    if (!widget) return;
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(latin1(model.caption(element)));
    widget->setVisible(model.visible(element));
    widget->setEnabled(model.enabled(element));
}

void LcdDisplay::show(const DisplayModel& model, const std::bitset<kElementCount>& changes) {
    const bool all = !lit_;
    lit_ = true;
    for (std::size_t i = 0; i < kElementCount; ++i)
        if (all || changes.test(i)) showElement(model, static_cast<Element>(i));
    if (const QString readout = displayReadout(model); mainReading_->accessibleName() != readout)
        mainReading_->setAccessibleName(readout);
}

void LcdDisplay::showBlank(const DisplayModel& model, const std::bitset<kElementCount>& changes) {
    for (Element element : {Element::LblName, Element::Cmdref})
        if (changes.test(index(element))) showElement(model, element);
}

}  // namespace photara
