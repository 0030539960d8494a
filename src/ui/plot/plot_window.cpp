#include "plot/plot_window.h"

#include <QAction>
#include <QPainter>
#include <QPrinter>
#include <QResizeEvent>
#include <QToolBar>

#include "base/app_context.h"
#include "base/prompts.h"
#include "common/workspace.h"
#include "plot/plot_painter.h"
#include "plot/range_panel.h"

namespace photara {
namespace {

constexpr double kCdPerM2PerFootLambert = 3.4262591;

QAction* toolbarAction(QToolBar& toolbar, const QString& key, const QString& tip) {
    QAction* action = toolbar.addAction(key);
    action->setObjectName(key);
    action->setToolTip(tip);
    return action;
}

}  // namespace

PlotWindow::PlotWindow(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), samples_(context.workspace.samples) {
    setObjectName(QStringLiteral("Plot"));
    setWindowTitle(QStringLiteral("Plot"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    resize(700, 500);

    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    for (const auto& [key, tip] :
         {std::pair{QStringLiteral("Unit"),
                    QStringLiteral("Graphic Unit\nShow the Fl curve and its scale in fL or cd/m\u00B2")},
          std::pair{QStringLiteral("Range"),
                    QStringLiteral("Graphic Range\nSet the scales' ranges")},
          std::pair{QStringLiteral("Print"), QStringLiteral("Print\nPrint the graph (Ctrl+P)")}}) {
        QAction* action = toolbarAction(*toolbar_, key, tip);
        connect(action, &QAction::triggered, this, [this, k = key] { toolbarClicked(k); });
    }

    auto* printShortcut = new QAction(this);
    printShortcut->setObjectName(QStringLiteral("PrintShortcut"));
    printShortcut->setShortcut(QKeySequence::Print);
    connect(printShortcut, &QAction::triggered, this, &PlotWindow::print);
    addAction(printShortcut);

    range_ = new RangePanel(this);
    range_->move(150, toolbar_->sizeHint().height() + 4);
    range_->hide();
    connect(range_, &RangePanel::applyRequested, this, &PlotWindow::applyRange);
    setMinimumSize(minimumPlotSize());
    redraw();
}

void PlotWindow::toolbarClicked(const QString& key) {
    if (key != QStringLiteral("Range")) range_->hide();
    if (key == QStringLiteral("Unit")) {
        secondInCd_ = !secondInCd_;
        redraw();
    }
    if (key == QStringLiteral("Range")) {
        range_->setVisible(!range_->isVisible());
        if (range_->isVisible()) {
            range_->fill(context_.workspace.plot,
                         QString::fromStdString(countsText(drawing_.layout.width, labelStep_)));
            range_->raise();
        }
    }
    if (key == QStringLiteral("Print")) print();
}

void PlotWindow::applyRange() {
    const Samples& samples = samples_;
    const RangeOutcome outcome =
        applyRangeEntry(range_->entry(), {samples.firstMaximum, samples.secondMaximum},
                        context_.workspace.plot, drawing_.layout.width, labelStep_);
    if (outcome.refusal) {
        context_.prompts.message(QString::fromStdString(*outcome.refusal), QString(),
                                 Prompts::Icon::Critical);
        return;
    }
    context_.workspace.plot = outcome.settings;
    labelStep_ = outcome.labelStep;
    range_->hide();
    redraw();
}

void PlotWindow::print() {
    // The toolbar comes back however printing ends: printed, cancelled or failed.
    struct ToolbarHidden {
        QToolBar& toolbar;
        explicit ToolbarHidden(QToolBar& t) : toolbar(t) { toolbar.hide(); }
        ~ToolbarHidden() { toolbar.show(); }
        ToolbarHidden(const ToolbarHidden&) = delete;
        ToolbarHidden& operator=(const ToolbarHidden&) = delete;
    } hidden(*toolbar_);
    range_->hide();
    QPrinter printer(QPrinter::HighResolution);
    if (!context_.prompts.choosePrinter(printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    // The graph as shown, scaled to fit the page with its proportions kept.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = std::min(page.width() / width(), page.height() / height());
    painter.scale(scale, scale);
    renderGraph(painter);
    painter.end();
}

void PlotWindow::renderGraph(QPainter& painter) const {
    painter.fillRect(QRectF(0, 0, width(), height()), Qt::white);
    painter.setFont(plotFont(font()));
    paintPlot(painter, drawing_);
}

void PlotWindow::redraw() {
    const FontTextMetrics metrics(plotFont(font()));
    if (!secondInCd_) {
        drawing_ = drawPlot(width(), height(), samples_, context_.workspace.plot, metrics);
    } else {
        // "Unit" shows the fL series and its scale in cd/m2; the ranges stay kept in fL.
        Samples shown = samples_;
        for (double& value : shown.second) value *= kCdPerM2PerFootLambert;
        PlotSettings settings = context_.workspace.plot;
        settings.second.minimum *= kCdPerM2PerFootLambert;
        settings.second.maximum *= kCdPerM2PerFootLambert;
        drawing_ = drawPlot(width(), height(), shown, settings, metrics);
        for (PlotText& text : drawing_.scaleTexts)
            if (text.text == "Fl") text.text = "cd/m\xB2";
    }
    update();
}

QSize PlotWindow::minimumPlotSize() const {
    // Wide enough that the first and the last time label never overlap, with room for the
    // range panel; high enough for the toolbar, the range panel and both scales.
    const std::string timeText =
        samples_.timeTexts.empty() ? std::string("0000/00/00 00:00:00") : samples_.timeTexts.front();
    const PlotLayout layout = plotLayout(1000, 1000, FontTextMetrics(plotFont(font())), timeText);
    const int forLabels = static_cast<int>(layout.x0 + 2.5 * layout.labelWidth);
    const int forRange = range_->x() + range_->sizeHint().width() + 10;
    const int high = toolbar_->sizeHint().height() + range_->sizeHint().height() + 60;
    return {std::max(forLabels, forRange), std::max(high, 300)};
}

void PlotWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    renderGraph(painter);
}

void PlotWindow::resizeEvent(QResizeEvent* event) {
    toolbar_->setGeometry(0, 0, event->size().width(), toolbar_->sizeHint().height());
    redraw();
}

}  // namespace photara
