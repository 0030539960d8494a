#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "core/procedure/recipe_library.h"
#include "core/procedure/results_folder.h"

class QComboBox;
class QLabel;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace photara {

class HistoryChart;
class Prompts;
class ReportView;
class StatusLine;

// "Results": the kept reports as a tree of site, asset and report (date, procedure,
// verdict); the report opened shown whole, and a point's values across that site's and
// asset's reports of the same procedure over time.
class ResultsWindow : public QWidget {
    Q_OBJECT
  public:
    ResultsWindow(Prompts& prompts, StatusLine* status, QString resultsFolder, QWidget* parent = nullptr);

    // Reads the folder again; the report shown stays shown when it is still there, else the
    // latest is.
    void refresh();
    // Shows a kept report and its history; false (the user told why) when it does not read.
    bool showReport(const QString& jsonPath);

    // The recipes the limits of the history come from (a kept report holds no criteria);
    // the installed ones unless set.
    void setRecipes(RecipeListing recipes);

    QString shownReport() const { return shown_; }
    QTreeWidget* tree() const { return tree_; }
    ReportView* reportView() const { return view_; }
    HistoryChart* historyChart() const { return chart_; }
    QComboBox* historyPoints() const { return points_; }

  private:
    void updateHistory();

    Prompts& prompts_;
    QString folder_;
    QString shown_;
    std::vector<ResultEntry> entries_;
    RecipeListing recipes_;
    std::vector<ProcedureReport> related_;  // the shown report's site, asset and procedure, oldest first
    QTreeWidget* tree_;
    QTabWidget* tabs_;
    ReportView* view_;
    QComboBox* points_;
    QLabel* historyTitle_;
    HistoryChart* chart_;
};

}  // namespace photara
