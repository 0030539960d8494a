#include "ui/results/results_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <map>

#include "core/procedure/point_history.h"
#include "ui/base/prompts.h"
#include "ui/measure/procedure_diagram.h"
#include "ui/measure/report_painter.h"
#include "ui/measure/report_view.h"
#include "ui/results/history_chart.h"

namespace photara {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// "2026-12-08T10:15:02+01:00" → "2026-12-08 10:15"
QString shortTime(const std::string& iso) {
    if (iso.size() < 16) return qs(iso);
    return qs(iso.substr(0, 10) + " " + iso.substr(11, 5));
}

RecipeListing installedRecipes() {
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    return listRecipes(builtInDataDir(program, processEnvironment) + "/procedures",
                       userDataDir(processEnvironment) + "/procedures");
}

}  // namespace

ResultsWindow::ResultsWindow(Prompts& prompts, StatusLine* status, QString resultsFolder, QWidget* parent)
    : QWidget(parent), prompts_(prompts), folder_(std::move(resultsFolder)), recipes_(installedRecipes()) {
    setWindowTitle(QStringLiteral("Results"));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("KeptReports"));
    tree_->setAccessibleName(QStringLiteral("Kept reports"));
    tree_->setHeaderLabels({QStringLiteral("Finished"), QStringLiteral("Procedure"), QStringLiteral("Verdict")});
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString path = item->data(0, Qt::UserRole).toString();
        if (!path.isEmpty()) showReport(path);
    });
    auto* refreshButton = new QPushButton(QStringLiteral("&Refresh"), this);
    refreshButton->setObjectName(QStringLiteral("Refresh"));
    refreshButton->setToolTip(QStringLiteral("Read the results folder again (F5)"));
    connect(refreshButton, &QPushButton::clicked, this, &ResultsWindow::refresh);
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    f5->setContext(Qt::WindowShortcut);
    connect(f5, &QShortcut::activated, this, &ResultsWindow::refresh);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* listLabel = new QLabel(QStringLiteral("&Kept reports:"), left);
    listLabel->setBuddy(tree_);
    leftLayout->addWidget(listLabel);
    leftLayout->addWidget(tree_, 1);
    leftLayout->addWidget(refreshButton, 0, Qt::AlignLeft);

    view_ = new ReportView(prompts, status, this);
    auto* history = new QWidget(this);
    points_ = new QComboBox(history);
    points_->setObjectName(QStringLiteral("HistoryPoint"));
    connect(points_, &QComboBox::currentIndexChanged, this, &ResultsWindow::updateHistory);
    auto* pointLabel = new QLabel(QStringLiteral("&Point:"), history);
    pointLabel->setBuddy(points_);
    historyTitle_ = new QLabel(history);
    historyTitle_->setWordWrap(true);
    chart_ = new HistoryChart(history);
    auto* pick = new QHBoxLayout;
    pick->addWidget(pointLabel);
    pick->addWidget(points_, 1);
    auto* historyLayout = new QVBoxLayout(history);
    historyLayout->addLayout(pick);
    historyLayout->addWidget(historyTitle_);
    historyLayout->addWidget(chart_, 1);

    tabs_ = new QTabWidget(this);
    tabs_->addTab(view_, QStringLiteral("Re&port"));
    tabs_->addTab(history, QStringLiteral("&History"));

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(tabs_);
    split->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    // Fits a 1366×768 screen with its panel and the window's frame; the tree wide enough
    // for a date, a procedure's title and its verdict.
    resize(1240, 680);
    split->setSizes({460, 780});
    refresh();
}

void ResultsWindow::setRecipes(RecipeListing recipes) {
    recipes_ = std::move(recipes);
    updateHistory();
}

void ResultsWindow::refresh() {
    entries_ = listResults(folder_.toStdString());
    tree_->clear();
    std::map<std::string, QTreeWidgetItem*> sites, assets;
    QTreeWidgetItem* current = nullptr;
    for (const ResultEntry& e : entries_) {
        QTreeWidgetItem*& site = sites[folderName(e.site)];
        if (!site) {
            site = new QTreeWidgetItem(tree_, {qs(e.site)});
            site->setExpanded(true);
        }
        QTreeWidgetItem*& asset = assets[folderName(e.site) + "/" + folderName(e.asset)];
        if (!asset) {
            asset = new QTreeWidgetItem(site, {qs(e.asset)});
            asset->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(asset, {shortTime(e.finished), qs(e.title), qs(std::string(verdictText(e.verdict)))});
        item->setData(0, Qt::UserRole, qs(e.path));
        item->setBackground(2, verdictTint(e.verdict));
        item->setForeground(2, QColor(Qt::black));
        item->setToolTip(0, qs(e.path));
        if (qs(e.path) == shown_) current = item;
    }
    if (!current && !entries_.empty()) {
        // The latest report: listResults gives them oldest first.
        const QString latest = qs(entries_.back().path);
        for (QTreeWidgetItemIterator it(tree_); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == latest) current = *it;
    }
    if (current) {
        tree_->setCurrentItem(current);
        showReport(current->data(0, Qt::UserRole).toString());
    } else {
        shown_.clear();
        view_->setReport({});
        related_.clear();
        points_->clear();
        updateHistory();
    }
}

bool ResultsWindow::showReport(const QString& jsonPath) {
    ProcedureReport report;
    std::string error;
    if (!reopenReport(jsonPath.toStdString(), report, error)) {
        prompts_.message(QStringLiteral("Cannot open the report \"%1\": %2").arg(jsonPath, qs(error)), QString(),
                         Prompts::Icon::Warning);
        return false;
    }
    shown_ = jsonPath;
    view_->setReport(report);
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == jsonPath) tree_->setCurrentItem(*it);

    // The same site, asset and procedure, oldest first.
    related_.clear();
    for (const ResultEntry& e : entries_) {
        if (folderName(e.site) != folderName(report.info.site) || folderName(e.asset) != folderName(report.info.asset) ||
            e.procedure != report.recipe.id)
            continue;
        ProcedureReport other;
        if (reopenReport(e.path, other, error)) related_.push_back(std::move(other));
    }
    const QString chosen = points_->currentData().toString();
    const QSignalBlocker quiet(points_);
    points_->clear();
    for (const Point* p : chartablePoints(report.recipe)) points_->addItem(qs(p->name), qs(p->id));
    int index = points_->findData(chosen.isEmpty() ? QStringLiteral("centre") : chosen);
    if (index < 0) index = points_->findData(QStringLiteral("centre"));
    points_->setCurrentIndex(std::max(0, index));
    updateHistory();
    return true;
}

void ResultsWindow::updateHistory() {
    const std::string point = points_->currentData().toString().toStdString();
    if (point.empty() || related_.empty()) {
        historyTitle_->clear();
        chart_->setHistory({}, {});
        return;
    }
    const ProcedureReport& latest = related_.back();
    const std::optional<Recipe> recipe = recipeOfReport(recipes_, latest);
    QString text = QStringLiteral("%1 at %2, %3: %4 in each report.")
                       .arg(qs(latest.recipe.title), qs(latest.info.site), qs(latest.info.asset), points_->currentText());
    if (!recipe)
        text += QStringLiteral(" No limits drawn: version %1 of the procedure \"%2\" is not installed.")
                    .arg(latest.recipe.version)
                    .arg(qs(latest.recipe.id));
    historyTitle_->setText(text);
    chart_->setHistory(pointHistory(related_, point),
                       recipe ? historyBands(*recipe, latest.settings, point) : std::vector<HistoryBand>{});
}

}  // namespace photara
