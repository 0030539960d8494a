#pragma once

#include <QColor>
#include <QRect>

#include "core/procedure/recipe.h"

class QPainter;

namespace photara {

// Whether Photara draws the procedure's fields itself: a display measured in its own light
// (layouts "grid", "patches", "warm-up"). A cinema screen or a sign is lit by something else.
bool isDisplayProcedure(const Recipe& recipe);

// The field a display shows for one step, filling area: the step's patch (full white, 50 %
// grey, black, the 4 × 4 checkerboard) and, where the meter goes on a grid cell or a
// checkerboard cell, a target around the meter's spot. A patch this drawing does not know
// gives a neutral field that says what should be shown, so the screen is never blank.
void paintPatternField(QPainter& painter, const QRect& area, const Recipe& recipe, const Step& step);

// The target's colour: saturated magenta, edged in black, so it shows on white, on the grey
// and on black.
inline const QColor kPatternTargetColour(255, 0, 255);

}  // namespace photara
