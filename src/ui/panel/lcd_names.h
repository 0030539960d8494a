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

// The whole display for a screen reader, in one line: the main reading, then each lit
// indicator as the glass prints it ("325.6 cd/m², H, REC"). "Display dark" before the first
// report lights it.
QString displayReadout(const DisplayModel& model);

}  // namespace photara
