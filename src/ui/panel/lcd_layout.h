#pragma once

#include <QRect>
#include <optional>

#include "core/live/display_element.h"

namespace photara {

// Where a display element is drawn, in pixels of the meter face. The thirteen character
// cells sit in three groups (the main reading, the three-character field and the
// six-character field), each at an even pitch; every decimal point and separator lies in the
// gap after the cell it follows, never over a cell. The other elements keep their design
// place.
QRect lcdRect(Element element);

// The cell a separator or decimal point follows; nullopt for any other element.
std::optional<Element> cellBefore(Element mark);

}  // namespace photara
