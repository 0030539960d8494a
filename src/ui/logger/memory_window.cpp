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

#include "ui/base/window_placement.h"
#include "ui/logger/click_filter.h"
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
    return frame;
}

}  // namespace

MemoryWindow::MemoryWindow(QWidget* panel) : QWidget(panel, Qt::Window) {
    setObjectName(QStringLiteral("Memory"));
    setWindowTitle(QStringLiteral("Data Logger"));
    setAttribute(Qt::WA_DeleteOnClose);

    grid_ = new QTableWidget(0, 2, this);
    grid_->setObjectName(QStringLiteral("GridSet"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Set"), QStringLiteral("  Start Time  ")});
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    const QFontMetrics metrics(grid_->font());
    grid_->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral(" No.S ")) + 8);
    grid_->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("AAAA/AA/AA AA:AA:AA")) + 8);
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (busy_ || row < 0 || row >= grid_->rowCount()) return;
        const QTableWidgetItem* number = grid_->item(row, 0);
        if (number) emit setChosen(number->text().toInt());
    });

    capacity_ = new QLabel(QStringLiteral("Capacity : 512 K"), this);
    capacity_->setObjectName(QStringLiteral("LblMemorySize"));

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("MSize"));
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
    progress_->setRange(0, 100);
    progress_->setValue(0);

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
    layout->addWidget(progress_);
    layout->addWidget(units);
    resize(grid_->columnWidth(0) + grid_->columnWidth(1) + 48, 420);
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
}

void MemoryWindow::listSets(const std::vector<std::string>& identifiers) {
    grid_->setRowCount(0);
    grid_->setRowCount(static_cast<int>(identifiers.size()));
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const std::string& id = identifiers[static_cast<std::size_t>(row)];
        grid_->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        grid_->setItem(row, 1,
                       new QTableWidgetItem(QString::fromLatin1(startTimeText(id).c_str())));
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
