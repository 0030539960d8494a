#pragma once

#include <QIcon>

#include "ui/panel/toolbar_commands.h"

class QPainter;

namespace photara {

// The icon of a toolbar command: the desktop theme's icon where there is one, else its drawing.
QIcon toolbarIcon(const ToolbarRow& row);

// The drawn icon alone (used where the theme has none).
QIcon drawnToolbarIcon(const ToolbarRow& row);

// The drawings, each in a 24 x 24 box with the painter's pen; its paper is the painter's
// background colour.
void drawSaveIcon(QPainter& p);
void drawOpenIcon(QPainter& p);
void drawStopwatchIcon(QPainter& p);
void drawListIcon(QPainter& p);
void drawGraphIcon(QPainter& p);
void drawClockIcon(QPainter& p);
void drawPeriodIcon(QPainter& p);
void drawMemoryIcon(QPainter& p);
void drawEraseIcon(QPainter& p);
void drawLiveIcon(QPainter& p);
void drawMeasureIcon(QPainter& p);
void drawResultsIcon(QPainter& p);

}  // namespace photara
