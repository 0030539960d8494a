#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

#include "core/procedure/report.h"
#include "ui/measure/procedure_diagram.h"

class QPainter;

namespace photara {

class Prompts;

// The report's one page as the HTML page lays it out (reportPage): title, verdict, notes,
// who and where, the diagram or the warm-up curve, the criteria, the footer. The font
// shrinks, down to a floor, until everything fits in page; past the floor the whole page
// is drawn smaller, so nothing spills onto a second sheet or is cut.
void paintReportPage(QPainter& painter, const QRectF& page, const ProcedureReport& report);

// The page as an A4 PDF, written whole: on failure no file is left and an existing one of
// that name stays as it was; error names the file and the reason.
bool saveReportPdf(const ProcedureReport& report, const QString& path, QString& error);

// Asks for a printer and prints the page on it.
void printReport(Prompts& prompts, const ProcedureReport& report);

// A report's diagram marks: each point's worst verdict and its first patch's value.
DiagramMarks reportMarks(const ProcedureReport& report);

// The pale colour a row of that verdict is tinted with, as in the HTML report.
QColor verdictTint(Verdict verdict);

}  // namespace photara
