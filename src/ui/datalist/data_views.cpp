#include "ui/datalist/data_views.h"

#include "ui/base/app_context.h"
#include "ui/base/window_placement.h"
#include "ui/base/workspace.h"
#include "ui/datalist/data_list_window.h"
#include "core/plot/plot_setup.h"
#include "ui/plot/plot_window.h"

namespace photara {

DataViews::DataViews(AppContext& context) : context_(context) {}

DataViews::~DataViews() {
    closeDataList();
    closePlot();
}

void DataViews::showDataList() {
    closeDataList();
    dataList_ = new DataListWindow(context_, context_.workspace.dataText, context_.panel);
    connect(dataList_, &DataListWindow::plotRequested, this, &DataViews::plotFromDataList);
    placeBesidePanel(*dataList_);
    dataList_->show();
}

void DataViews::showPlot() {
    closePlot();
    context_.workspace.plot = plotSettingsFor(context_.workspace.samples);
    plot_ = new PlotWindow(context_, context_.panel);
    placeBesidePanel(*plot_);
    plot_->show();
}

void DataViews::plotFromDataList() {
    // The plot shows what the list shows, even if other data was opened since the list was.
    context_.workspace.dataText = dataList_->dataText();
    context_.workspace.samples = dataList_->dataSet().samples;
    showPlot();
}

void DataViews::closeDataList() {
    delete dataList_.data();
}

void DataViews::closePlot() {
    delete plot_.data();
}

QWidget* DataViews::dataList() const {
    return dataList_.data();
}

QWidget* DataViews::plot() const {
    return plot_.data();
}

void DataViews::placeBesidePanel(QWidget& window) const {
    setUpSecondaryWindow(window, context_.panel);
}

}  // namespace photara
