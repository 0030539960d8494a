#pragma once

#include <QWidget>

#include "core/procedure/report.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace photara {

class Prompts;
class StatusLine;

// A finished report on screen: the overall verdict large in its colour, the diagram (or a
// warm-up's curve), the verdict table with its rows tinted, and the report saved as PDF,
// HTML or JSON, or printed.
class ReportView : public QWidget {
    Q_OBJECT
  public:
    enum class Format { Pdf, Html, Json };

    ReportView(Prompts& prompts, StatusLine* status, QWidget* parent = nullptr);

    void setReport(const ProcedureReport& report);
    const ProcedureReport& report() const { return report_; }

    // Asks where to save the report in format and writes it there; the path, or none when
    // the user cancelled or it could not be written (the user was told why).
    std::optional<QString> save(Format format);
    void print();

    // "<site>-<asset>-<procedure>-<date>": the name the save dialog suggests.
    QString suggestedName() const;

  private:
    Prompts& prompts_;
    StatusLine* status_;
    ProcedureReport report_;
    QLabel* title_;
    QLabel* verdict_;
    QLabel* about_;
    QWidget* picture_;
    QTableWidget* table_;
    std::vector<QPushButton*> buttons_;
};

}  // namespace photara
