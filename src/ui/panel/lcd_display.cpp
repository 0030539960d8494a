#include "panel/lcd_display.h"

#include <QLabel>

#include "base/latin1.h"
#include "live/display_model.h"
#include "panel/lcd_icon.h"
#include "panel/meter_look.h"
#include "panel/twips.h"

namespace photara {
namespace {

QLabel* makeLabel(const ElementDesign& d, Element element, QWidget& face) {
    auto* label = new QLabel(latin1(d.caption), &face);
    label->setFont(look::displayFont(d.fontPoints));
    // Captions sit at the top of their box, as on the meter: the decimal points line up with
    // the digits' baseline only this way.
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
        widget->setGeometry(rectFromTwips(d.left, d.top, d.width, d.height));
        widget->setVisible(d.visible);
        widgets_[i] = widget;
    }
}

void LcdDisplay::attach(Element element, QWidget* widget) {
    widgets_[index(element)] = widget;
}

void LcdDisplay::show(const DisplayModel& model, const std::bitset<kElementCount>& changes) {
    for (std::size_t i = 0; i < kElementCount; ++i) {
        if (!changes.test(i)) continue;
        QWidget* widget = widgets_[i];
        if (!widget) continue;
        const auto element = static_cast<Element>(i);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const std::string& caption = model.caption(element);
            label->setText(latin1(caption));
        }
        widget->setVisible(model.visible(element));
        widget->setEnabled(model.enabled(element));
    }
}

}  // namespace photara
