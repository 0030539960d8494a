#include "ui/panel/lcd_layout.h"

#include <algorithm>
#include <iterator>

#include "ui/panel/twips.h"

namespace photara {
namespace {

// One group of character cells: where its first cell lies, the cell size and the pitch.
struct CellGroup {
    Element first;
    int count;
    int left;
    int top;
    int width;
    int height;
    int pitch;
};

constexpr CellGroup kGroups[] = {
    {Element::LblSeg1, 4, 106, 86, 52, 84, 72},  // main reading
    {Element::LblSeg5, 3, 76, 268, 26, 46, 32},  // three-character field
    {Element::LblSeg8, 6, 192, 244, 28, 46, 40}, // time, date and secondary value
};

struct Mark {
    Element mark;
    Element after;
};

constexpr Mark kMarks[] = {
    {Element::LblP1, Element::LblSeg1},      {Element::LblP2, Element::LblSeg2},
    {Element::LblP3, Element::LblSeg3},      {Element::LblSlash1, Element::LblSeg9},
    {Element::LblDotDot1, Element::LblSeg9}, {Element::LblP10, Element::LblSeg10},
    {Element::LblSlash2, Element::LblSeg11}, {Element::LblDotDot2, Element::LblSeg11},
    {Element::LblP11, Element::LblSeg11},    {Element::LblP13, Element::LblSeg12},
};

std::optional<QRect> cellRect(Element element) {
    for (const CellGroup& group : kGroups) {
        const int k = static_cast<int>(index(element)) - static_cast<int>(index(group.first));
        if (k >= 0 && k < group.count)
            return QRect(group.left + k * group.pitch, group.top, group.width, group.height);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Element> cellBefore(Element mark) {
    const auto* it = std::find_if(std::begin(kMarks), std::end(kMarks),
                                  [mark](const Mark& m) { return m.mark == mark; });
    if (it == std::end(kMarks)) return std::nullopt;
    return it->after;
}

QRect lcdRect(Element element) {
    if (const auto cell = cellRect(element)) return *cell;
    if (const auto after = cellBefore(element)) {
        const QRect before = *cellRect(*after);
        const QRect next = *cellRect(static_cast<Element>(index(*after) + 1));
        return QRect(QPoint(before.right() + 1, before.top()),
                     QPoint(next.left() - 1, before.bottom()));
    }
    const ElementDesign& d = design(element);
    return rectFromTwips(d.left, d.top, d.width, d.height);
}

}  // namespace photara
