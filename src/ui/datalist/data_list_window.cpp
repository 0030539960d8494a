#include "ui/datalist/data_list_window.h"

#include <QAction>
#include <QEvent>
#include <algorithm>
#include <array>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "ui/base/command_keys.h"
#include "ui/base/app_context.h"
#include "ui/base/latin1.h"
#include "ui/base/prompts.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/status_line.h"
#include "ui/base/workspace.h"
#include "ui/datalist/csv_export.h"
#include "ui/datalist/data_file_io.h"
#include "ui/datalist/data_list_model.h"

namespace photara {
namespace {

// Sizes as the window was designed, in twips (15 to a pixel).
constexpr int px(int twips) {
    return twips / 15;
}

QLabel* panelLabel(const QString& name, const QString& text, int widthTwips, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(px(widthTwips), px(375));
    return label;
}

// Shares the table's width among its columns in their first proportions, so that the
// columns stretch with the window and the shared scroll bar stays beside the last one.
class ProportionalColumns final : public QObject {
  public:
    ProportionalColumns(QTableView& table, std::array<int, 3> widths)
        : QObject(&table), table_(table), widths_(widths) {
        table.viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) spread();
        return QObject::eventFilter(watched, event);
    }

  private:
    void spread() {
        const int total = widths_[0] + widths_[1] + widths_[2];
        const int available = std::max(table_.viewport()->width(), total);
        int used = 0;
        for (int column = 0; column < 2; ++column) {
            const int width = widths_[column] * available / total;
            table_.setColumnWidth(column, width);
            used += width;
        }
        table_.setColumnWidth(2, available - used);
    }

    QTableView& table_;
    std::array<int, 3> widths_;
};

}  // namespace

DataListWindow::DataListWindow(AppContext& context, std::string dataText, QWidget* parent)
    : QWidget(parent, Qt::Window),
      context_(context),
      dataText_(std::move(dataText)),
      set_(std::make_shared<const DataSet>(parseDataText(dataText_))) {
    setObjectName(QStringLiteral("DataList"));
    setWindowTitle(QStringLiteral("Data List"));
    setAttribute(Qt::WA_DeleteOnClose);

    // Loading the list fills the shared samples the plot draws from.
    context_.workspace.samples = set_->samples;

    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    QAction* saveAction = toolbar_->addAction(QStringLiteral("Save"));
    saveAction->setObjectName(QStringLiteral("Save"));
    saveAction->setToolTip(QStringLiteral("Save As\nSave this data to a data file (.pxd)"));
    giveCommandKey(*saveAction, QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* plotAction = toolbar_->addAction(QStringLiteral("Plot"));
    plotAction->setObjectName(QStringLiteral("Plot"));
    plotAction->setToolTip(QStringLiteral("Plot\nPlot this data"));
    giveCommandKey(*plotAction, QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(saveAction, &QAction::triggered, this, &DataListWindow::save);
    connect(plotAction, &QAction::triggered, this, &DataListWindow::plotRequested);
    QAction* exportAction = toolbar_->addAction(QStringLiteral("Export"));
    exportAction->setObjectName(QStringLiteral("Export"));
    exportAction->setToolTip(QStringLiteral("Export\nWrite this data as CSV for a script or a spreadsheet"));
    giveCommandKey(*exportAction, QKeySequence(Qt::CTRL | Qt::Key_E));
    letTabReachButtons(*toolbar_);
    connect(exportAction, &QAction::triggered, this, &DataListWindow::exportCsv);

    auto* trailer = new QHBoxLayout;
    trailer->setContentsMargins(px(240) - px(120), 0, 0, 0);
    trailer->setSpacing(0);
    trailer->addWidget(panelLabel(QStringLiteral("LblCaf"), QStringLiteral("CAF"), 855, this));
    trailer->addWidget(panelLabel(QStringLiteral("LblCafValue"), latin1(set_->caf), 1095, this));
    trailer->addSpacing(px(2760 - 2175));
    trailer->addWidget(panelLabel(QStringLiteral("LblCCF"), QStringLiteral("CCF"), 855, this));
    trailer->addWidget(panelLabel(QStringLiteral("LblCcfValue"), latin1(set_->ccf), 1095, this));
    trailer->addStretch();

    // One table stands for the three side-by-side grids: one header row, three centred
    // columns sized to runs of zeros, and the single vertical scroll bar they share.
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("MSFlexGrid1"));
    table_->setAccessibleName(QStringLiteral("Readings"));
    // The arrow keys walk the cells; Tab goes on to the toolbar rather than staying in here.
    table_->setTabKeyNavigation(false);
    model_ = new DataListModel(set_, table_);
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    const QFontMetrics metrics = table_->fontMetrics();
    const int widths[] = {metrics.horizontalAdvance(QString(22, QLatin1Char('0'))),
                          metrics.horizontalAdvance(QString(14, QLatin1Char('0'))),
                          metrics.horizontalAdvance(QString(11, QLatin1Char('0')))};
    int total = 0;
    for (int column = 0; column < 3; ++column) {
        table_->setColumnWidth(column, widths[column]);
        total += widths[column];
    }
    table_->setMinimumWidth(total + table_->verticalScrollBar()->sizeHint().width() +
                            2 * table_->frameWidth());
    new ProportionalColumns(*table_, {widths[0], widths[1], widths[2]});
    table_->setMinimumHeight(px(4215));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(px(120), 0, px(120), px(120));
    layout->setMenuBar(toolbar_);
    layout->addSpacing(px(600) - toolbar_->sizeHint().height());
    layout->addLayout(trailer);
    layout->addSpacing(px(1080 - 975));
    layout->addWidget(table_);
}

DataListWindow::~DataListWindow() = default;

void DataListWindow::exportCsv() {
    const std::optional<QString> path = exportSetCsv(context_.prompts, *set_);
    if (!path) return;
    // The file's name first: a narrow status line cuts off the folder, not the name.
    const QFileInfo exported(*path);
    const std::size_t rows = set_->rowCount();
    sayOnStatusLine(context_, QStringLiteral("Exported %1 %2 to %3 in %4")
                                  .arg(rows)
                                  .arg(rows == 1 ? QStringLiteral("reading")
                                                 : QStringLiteral("readings"))
                                  .arg(exported.fileName(), exported.absolutePath()));
}

void DataListWindow::save() {
    saveDataTextAs(context_, dataText_);
}

}  // namespace photara
