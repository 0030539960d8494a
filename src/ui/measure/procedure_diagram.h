#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <map>
#include <optional>
#include <string>

#include "core/procedure/recipe.h"
#include "core/procedure/verdict.h"

class QPainter;

namespace photara {

// What the diagram of a procedure marks at its points.
struct DiagramMarks {
    std::map<std::string, Verdict> verdicts;   // the points judged so far
    std::map<std::string, std::string> values; // the text under each point taken ("48.2", "OL")
    std::string current;                       // the point being measured: ringed
    // A run-up or warm-up is a moment, not a place: a report leaves it to the table, the
    // guide shows where the meter is aimed for it.
    bool moments = true;
};

// The screen, display or sign as a frame in its proportions, centred in bounds.
QRectF diagramFrame(const QRectF& bounds, const Recipe& recipe);

// Draws the frame (the grid's cells, the checkerboard) and every point: its colour the
// verdict's (white while not taken, grey while taken but not judged), its value under it.
void paintProcedureDiagram(QPainter& painter, const QRectF& bounds, const Recipe& recipe, const DiagramMarks& marks);

// The point whose mark is under pos (the current one first where marks share a place).
std::optional<std::string> diagramPointAt(const QRectF& bounds, const Recipe& recipe, const DiagramMarks& marks,
                                          QPointF pos);

// The colours of the verdicts, as the HTML report uses them.
QColor verdictColour(Verdict verdict);

}  // namespace photara
