#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace photara {

struct AppContext;
class DataListWindow;
class PlotWindow;

// Opens, replaces and closes the two views of the current data: the data list and the plot.
// Each is a window of its own to the right of the panel; at most one of each is open.
class DataViews final : public QObject {
    Q_OBJECT
  public:
    explicit DataViews(AppContext& context);
    ~DataViews() override;

    // (Re)opens the data list on the current data text; its load fills the shared samples.
    void showDataList();
    // Gives the plot the settings for the shared samples and (re)opens it.
    void showPlot();

    bool dataListOpen() const { return !dataList_.isNull(); }
    bool plotOpen() const { return !plot_.isNull(); }
    void closeDataList();
    void closePlot();
    QWidget* dataList() const;
    QWidget* plot() const;

  private:
    void plotFromDataList();
    void placeBesidePanel(QWidget& window) const;

    AppContext& context_;
    QPointer<DataListWindow> dataList_;
    QPointer<PlotWindow> plot_;
};

}  // namespace photara
