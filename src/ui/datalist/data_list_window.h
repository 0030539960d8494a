#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "core/datafile/data_set.h"

class QLabel;
class QTableView;
class QToolBar;

namespace photara {

struct AppContext;
class DataListModel;

// The data list "Data List": the data text it was opened on as a table of readings, with
// CAF and CCF above it. Opening it fills the shared samples and maxima. Its toolbar saves
// that data text to a file and asks for the plot.
class DataListWindow final : public QWidget {
    Q_OBJECT
  public:
    DataListWindow(AppContext& context, std::string dataText, QWidget* parent = nullptr);
    ~DataListWindow() override;

    const std::string& dataText() const { return dataText_; }
    const DataSet& dataSet() const { return *set_; }

    // Toolbar "Save": asks for a file and writes the data text and CR LF to it.
    void save();
    // Toolbar "Export" (Ctrl+E): asks for a file and a flavour and writes the list as CSV.
    void exportCsv();

  signals:
    // Toolbar "Plot".
    void plotRequested();

  private:
    AppContext& context_;
    std::string dataText_;
    std::shared_ptr<const DataSet> set_;
    QToolBar* toolbar_ = nullptr;
    QTableView* table_ = nullptr;
    DataListModel* model_ = nullptr;
};

}  // namespace photara
