#include "ui/logger/memory_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/base/window_placement.h"
#include "ui/logger/click_filter.h"
#include "core/datafile/data_set.h"
#include "core/logger/directory.h"
#include "core/logger/memory_status.h"

namespace photara {
namespace {

QFrame* swatch(const char* name, const char* colour, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setFixedSize(24, 16);
    frame->setStyleSheet(QStringLiteral("background-color: %1;").arg(QLatin1String(colour)));
    frame->setToolTip(QStringLiteral("Erase all recorded sets"));
    frame->setAccessibleName(QStringLiteral("Erase all recorded sets"));
    return frame;
}

constexpr int kReadingsColumn = 2;
constexpr int kSpanColumn = 3;

// The clock part of a data row's time text ("2026/12/08 10:15:02" gives "10:15:02").
QString timeOfDay(const std::string& timeText) {
    return QString::fromLatin1(timeText.c_str()).section(QLatin1Char(' '), -1);
}

}  // namespace

SetSummary summaryOfDataText(const std::string& dataText) {
    const DataSet set = parseDataText(dataText);
    SetSummary summary;
    summary.readings = static_cast<int>(set.rowCount());
    if (!set.samples.timeTexts.empty())
        summary.span = timeOfDay(set.samples.timeTexts.front()) + QStringLiteral(" – ") +
                       timeOfDay(set.samples.timeTexts.back());
    return summary;
}

MemoryWindow::MemoryWindow(QWidget* panel) : QWidget(panel, Qt::Window) {
    setObjectName(QStringLiteral("Memory"));
    setWindowTitle(QStringLiteral("Data Logger"));
    setAttribute(Qt::WA_DeleteOnClose);

    grid_ = new QTableWidget(0, 4, this);
    grid_->setObjectName(QStringLiteral("GridSet"));
    grid_->setAccessibleName(QStringLiteral("Recorded sets"));
    grid_->setTabKeyNavigation(false);  // Tab leaves the list; the arrow keys walk it
    grid_->setHorizontalHeaderLabels({QStringLiteral("Set"), QStringLiteral("  Start Time  "),
                                      QStringLiteral("Readings"), QStringLiteral("Span")});
    grid_->horizontalHeaderItem(kReadingsColumn)
        ->setToolTip(QStringLiteral("Known once the set has been downloaded"));
    grid_->horizontalHeaderItem(kSpanColumn)
        ->setToolTip(QStringLiteral("The first and the last reading's times, once downloaded"));
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    const QFontMetrics metrics(grid_->font());
    // Each column as wide as its widest text or its heading, in whatever font the theme gives:
    // the heading as the header draws it (its own font, the style's margins and frame).
    auto fit = [&](int column, const QString& widest) {
        const int heading = grid_->horizontalHeader()->sectionSizeHint(column);
        grid_->setColumnWidth(column, std::max(metrics.horizontalAdvance(widest) + 16, heading));
    };
    fit(0, QStringLiteral(" 99 "));
    fit(1, QStringLiteral("8888/88/88 88:88:88"));
    fit(kReadingsColumn, QStringLiteral("888888"));
    fit(kSpanColumn, QStringLiteral("88:88:88 – 88:88:88"));
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (busy_ || row < 0 || row >= grid_->rowCount()) return;
        const QTableWidgetItem* number = grid_->item(row, 0);
        if (number) emit setChosen(number->text().toInt());
    });

    capacity_ = new QLabel(QStringLiteral("Capacity : 512 K"), this);
    capacity_->setObjectName(QStringLiteral("LblMemorySize"));

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("MSize"));
    gauge_->setAccessibleName(QStringLiteral("Memory used"));
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    gauge_->setFormat(QStringLiteral("Memory Size"));
    gauge_->setTextVisible(true);
    gauge_->setToolTip(QStringLiteral("Click to erase all recorded sets"));
    onClick(gauge_, [this] { emit eraseAllClicked(true); });

    QFrame* used = swatch("SSPanel2", "#2060c0", this);
    QFrame* unused = swatch("SSPanel3", "#ffffff", this);
    onClick(used, [this] { emit eraseAllClicked(false); });
    onClick(unused, [this] { emit eraseAllClicked(false); });

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("MBar"));
    progress_->setAccessibleName(QStringLiteral("Transfer from the meter"));
    progress_->setRange(0, 100);
    setProgress(0);

    // Lux / Fc options: part of the window's design, never shown.
    auto* units = new QGroupBox(this);
    units->setObjectName(QStringLiteral("PicOptLxFc"));
    auto* unitsLayout = new QHBoxLayout(units);
    unitsLayout->addWidget(new QRadioButton(QStringLiteral("Lux"), units));
    unitsLayout->addWidget(new QRadioButton(QStringLiteral("Fc"), units));
    units->hide();

    auto* legend = new QHBoxLayout;
    legend->addWidget(used);
    legend->addWidget(new QLabel(QStringLiteral("Used"), this));
    legend->addSpacing(12);
    legend->addWidget(unused);
    legend->addWidget(new QLabel(QStringLiteral("Unused"), this));
    legend->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(capacity_);
    layout->addWidget(gauge_);
    layout->addLayout(legend);
    layout->addWidget(grid_, 1);
    auto* transfer = new QHBoxLayout;
    auto* transferLabel = new QLabel(QStringLiteral("Transfer"), this);
    transferLabel->setBuddy(progress_);
    transfer->addWidget(transferLabel);
    transfer->addWidget(progress_, 1);
    layout->addLayout(transfer);
    layout->addWidget(units);
    int gridWidth = 0;
    for (int column = 0; column < grid_->columnCount(); ++column)
        gridWidth += grid_->columnWidth(column);
    resize(gridWidth + 48, 420);
}

void MemoryWindow::placeBeside(const QWidget* panel) {
    setUpSecondaryWindow(*this, panel);
}

void MemoryWindow::showStatus(const MemoryStatus& status) {
    capacity_->setText(QString::fromStdString(capacityText(status)));
    gauge_->setValue(usedPercent(status));
}

void MemoryWindow::setProgress(int percent) {
    if (progress_->value() != percent) progress_->setValue(percent);
    // A percentage only while a transfer runs: "100%" before anything was asked for reads as
    // a download already done.
    const QString format = percent <= 0 ? QString()
                           : percent >= 100 ? QStringLiteral("Done")
                                            : QStringLiteral("%p%");
    if (progress_->format() != format) progress_->setFormat(format);
}

void MemoryWindow::listSets(const std::vector<std::string>& identifiers,
                            const std::map<std::string, SetSummary>& known) {
    grid_->setRowCount(0);
    grid_->setRowCount(static_cast<int>(identifiers.size()));
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const std::string& id = identifiers[static_cast<std::size_t>(row)];
        grid_->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        grid_->setItem(row, 1,
                       new QTableWidgetItem(QString::fromLatin1(startTimeText(id).c_str())));
        const auto summary = known.find(id);
        const bool downloaded = summary != known.end();
        auto* readings = new QTableWidgetItem(
            downloaded ? QString::number(summary->second.readings) : QStringLiteral("—"));
        readings->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (!downloaded) readings->setToolTip(QStringLiteral("Click the row to download the set"));
        grid_->setItem(row, kReadingsColumn, readings);
        grid_->setItem(row, kSpanColumn,
                       new QTableWidgetItem(downloaded ? summary->second.span : QString()));
    }
}

void MemoryWindow::setBusy(bool busy) {
    busy_ = busy;
    grid_->setEnabled(!busy);
}

void MemoryWindow::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

}  // namespace photara
