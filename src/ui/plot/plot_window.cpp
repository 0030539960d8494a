#include "ui/plot/plot_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QResizeEvent>
#include <QToolBar>

#include "ui/base/command_keys.h"
#include "ui/base/app_context.h"
#include "ui/base/output_file.h"
#include "ui/base/prompts.h"
#include "core/common/local_time.h"
#include "ui/base/workspace.h"
#include "core/datafile/data_set.h"
#include "core/export/set_caption.h"
#include "ui/plot/plot_painter.h"
#include "ui/plot/range_panel.h"
#include "ui/plotview/plot_view.h"

namespace photara {
namespace {

// The tool tip of each toolbar button: its caption line, then what it does.
QString commandTip(PlotCommand command) {
    switch (command) {
        case PlotCommand::Unit:
            return QStringLiteral("Graphic Unit\nShow the luminance in cd/m\u00B2 alone, or in both units");
        case PlotCommand::Range: return QStringLiteral("Graphic Range\nSet the scales' ranges");
        case PlotCommand::Print: return QStringLiteral("Print\nPrint the graph");
        case PlotCommand::Export:
            return QStringLiteral("Export Picture\nSave the graph as PNG, SVG or PDF");
        case PlotCommand::Copy:
            return QStringLiteral("Copy Picture\nCopy the graph to the clipboard");
    }
    return {};
}

// Spelt out rather than the platform theme's standard keys, which a theme may leave unbound.
QKeySequence commandKey(PlotCommand command) {
    switch (command) {
        case PlotCommand::Unit: return QKeySequence(Qt::CTRL | Qt::Key_U);
        case PlotCommand::Range: return QKeySequence(Qt::CTRL | Qt::Key_R);
        case PlotCommand::Print: return QKeySequence(Qt::CTRL | Qt::Key_P);
        case PlotCommand::Export: return QKeySequence(Qt::CTRL | Qt::Key_E);
        case PlotCommand::Copy: return QKeySequence(Qt::CTRL | Qt::Key_C);
    }
    return {};
}

}  // namespace

PlotWindow::PlotWindow(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window),
      context_(context),
      samples_(context.workspace.samples),
      captions_([this, set = parseDataText(context.workspace.dataText)] {
          return std::array{pictureCaption(samples_, set), pictureCaption(samples_, set, true)};
      }()),
      content_(samples_, context.workspace.plot) {
    setObjectName(QStringLiteral("Plot"));
    setWindowTitle(QStringLiteral("Plot"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    // A white sheet in any palette: the toolbar's captions over it stay dark.
    white.setColor(QPalette::WindowText, Qt::black);
    white.setColor(QPalette::ButtonText, Qt::black);
    white.setColor(QPalette::Text, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);
    content_.setFont(plotFont(font()));

    // The plot fills the window; the toolbar and the range panel lie over it.
    view_ = new PlotView(content_, this);
    view_->setAutoscale(false);
    view_->viewport().setMinimumTimeSpan(SetPlotContent::kMinimumZoomSamples);
    view_->home();
    setFocusProxy(view_);

    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    for (const PlotCommand command : kPlotCommands) {
        const QString key = QString::fromLatin1(plotCommandName(command));
        QAction* action = toolbar_->addAction(key);
        action->setObjectName(key);
        action->setToolTip(commandTip(command));
        giveCommandKey(*action, commandKey(command));
        connect(action, &QAction::triggered, this, [this, command] { toolbarClicked(command); });
    }
    letTabReachButtons(*toolbar_);

    range_ = new RangePanel(this);
    range_->move(150, toolbar_->sizeHint().height() + 4);
    range_->hide();
    connect(range_, &RangePanel::applyRequested, this, &PlotWindow::applyRange);
    setMinimumSize(minimumPlotSize());
    // The drawing's area (above the statistics strip) is 700 × 500 at first.
    resize(700, 500 + view_->stripHeight());
    view_->setGeometry(rect());
    toolbar_->setGeometry(0, 0, width(), toolbar_->sizeHint().height());
}

const PlotDrawing& PlotWindow::drawing() const {
    return content_.drawing(view_->contentRect().size(), view_->viewport().visible());
}

void PlotWindow::toolbarClicked(PlotCommand command) {
    if (command != PlotCommand::Range) range_->hide();
    switch (command) {
        case PlotCommand::Unit:
            content_.setCdOnly(!content_.cdOnly());
            view_->contentChanged();  // the second curve, its scale and statistics come or go
            return;
        case PlotCommand::Range:
            range_->setVisible(!range_->isVisible());
            if (range_->isVisible()) {
                range_->fill(context_.workspace.plot,
                             QString::fromStdString(countsText(drawing().layout.width, labelStep_)));
                range_->raise();
            }
            return;
        case PlotCommand::Print: return print();
        case PlotCommand::Export: return exportPicture();
        case PlotCommand::Copy: return copyPicture();
    }
}

void PlotWindow::applyRange() {
    const Samples& samples = samples_;
    const RangeOutcome outcome =
        applyRangeEntry(range_->entry(), {samples.firstMaximum, samples.secondMaximum},
                        context_.workspace.plot, drawing().layout.width, labelStep_);
    if (outcome.refusal) {
        context_.prompts.message(QString::fromStdString(*outcome.refusal), QString(),
                                 Prompts::Icon::Critical);
        return;
    }
    context_.workspace.plot = outcome.settings;
    labelStep_ = outcome.labelStep;
    range_->hide();
    // The drawing of the new ranges, as a whole: a zoom of the old scales means nothing now.
    view_->contentChanged();
    view_->home();
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
    printer.setPageOrientation(QPageLayout::Landscape);
    // A name fit for a file (the caption's title holds colons and a comma), in the folder
    // pictures went to last: where "print to file" offers to write when there is no printer.
    const QString stem = QString::fromStdString(fileStem(samples_.timeTexts));
    printer.setDocName(stem);
    if (QPrinterInfo::availablePrinters().isEmpty())
        printer.setOutputFileName(outputStart(kPrintedPictureKind, stem));
    if (!context_.prompts.choosePrinter(printer)) return;
    if (!printer.outputFileName().isEmpty())
        rememberOutputFolder(kPrintedPictureKind, printer.outputFileName());
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const LocalDateTime now = context_.clock.now();
    const QString printed = QStringLiteral("Printed %1-%2-%3 %4:%5")
                                .arg(now.year, 4, 10, QLatin1Char('0'))
                                .arg(now.month, 2, 10, QLatin1Char('0'))
                                .arg(now.day, 2, 10, QLatin1Char('0'))
                                .arg(now.hour, 2, 10, QLatin1Char('0'))
                                .arg(now.minute, 2, 10, QLatin1Char('0'));
    picture(printed).paintPage(painter,
                               printer.pageLayout().paintRectPixels(printer.resolution()).size());
    painter.end();
}

PlotPicture PlotWindow::picture(const QString& printed) const {
    PictureCaption caption = captions_[content_.cdOnly() ? 1 : 0];
    caption.printed = printed;
    return PlotPicture(content_, std::move(caption), font());
}

void PlotWindow::exportPicture() {
    range_->hide();
    const std::optional<OutputFile> file = askOutputFile(
        context_.prompts, kPictureKind, QString::fromStdString(fileStem(samples_.timeTexts)));
    if (!file) return;
    const PlotPicture graph = picture();
    std::function<bool(QIODevice&)> write;
    if (file->format.extension == QStringLiteral("png")) {
        const std::optional<QSize> pixels = context_.prompts.imageSize(size() * 2);
        if (!pixels) return;
        write = [&, pixels = *pixels](QIODevice& device) {
            return graph.writePng(device, pixels, size());
        };
    } else if (file->format.extension == QStringLiteral("svg")) {
        write = [&](QIODevice& device) { return graph.writeSvg(device, size()); };
    } else {
        write = [&](QIODevice& device) { return graph.writePdf(device); };
    }
    writeWholeFileOrTell(context_.prompts, file->path, write);
}

void PlotWindow::copyPicture() {
    QGuiApplication::clipboard()->setImage(picture().image(size() * 2, size()));
}

void PlotWindow::renderGraph(QPainter& painter) const {
    view_->render(painter, view_->contentRect());
}

QSize PlotWindow::minimumPlotSize() const {
    // Wide enough that the first and the last time label never overlap, with room for the
    // range panel; high enough for the toolbar, the range panel and both scales.
    const std::string timeText =
        samples_.timeTexts.empty() ? std::string("0000/00/00 00:00:00") : samples_.timeTexts.front();
    const FontTextMetrics metrics(plotFont(font()));
    const PlotLayout layout = plotLayout(1000, 1000, metrics, timeText,
                                         scaleLabelWidths(context_.workspace.plot, metrics));
    const int forLabels = static_cast<int>(layout.x0 + 2.5 * layout.labelWidth);
    const int forRange = range_->x() + range_->sizeHint().width() + 10;
    const int high = toolbar_->sizeHint().height() + range_->sizeHint().height() + 60;
    return {std::max(forLabels, forRange), std::max(high, 300) + view_->stripHeight()};
}

void PlotWindow::resizeEvent(QResizeEvent* event) {
    view_->setGeometry(0, 0, event->size().width(), event->size().height());
    toolbar_->setGeometry(0, 0, event->size().width(), toolbar_->sizeHint().height());
}

}  // namespace photara
