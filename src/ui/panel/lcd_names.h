#pragma once

#include <QString>
#include <string>

#include "core/live/display_element.h"

namespace photara {

class DisplayModel;

// What a display element is, for a screen reader: "Recording indicator", "Unit cd",
// "Main reading, character 2". Its objectName stays the element's name.
QString accessibleNameOf(Element element);

// The main reading as the LCD shows it, read out in one piece: the lit characters of the
// main reading with their decimal points, then the lit unit ("137.2 cd/m²"). Empty when
// nothing of it is lit.
QString mainReadingText(const DisplayModel& model);

}  // namespace photara
