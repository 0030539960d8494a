#include "ui/datalist/data_list_window.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QScreen>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <csignal>

#include "core/datafile/data_set.h"
#include "ui/plot/plot_window.h"
#include "support/layout_checks.h"
#include "views_rig.h"

namespace photara::test {
namespace {

QString cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

DataListWindow* openList(ViewsRig& rig, std::string text) {
    rig.workspace.dataText = std::move(text);
    rig.views.showDataList();
    return static_cast<DataListWindow*>(rig.views.dataList());
}

void triggerToolbar(QWidget* window, const QString& key) {
    auto* toolbar = window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_NE(toolbar, nullptr);
    for (QAction* action : toolbar->actions())
        if (action->objectName() == key) return action->trigger();
    FAIL() << "no toolbar button " << key.toStdString();
}

TEST(DataListWindowTest, ShowsADownloadedSetRowByRow) {
    ViewsRig rig;
    const std::string text = downloadedSet(40);
    DataListWindow* list = openList(rig, text);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->objectName(), "DataList");
    EXPECT_EQ(list->windowTitle(), "Data List");
    EXPECT_TRUE(list->isVisible());
    // Wholly on the screen (where it lies beside the panel: the placement tests).
    EXPECT_TRUE(list->screen()->availableGeometry().contains(list->frameGeometry()));

    QTableView* table = rig.find<QTableView>(list, "MSFlexGrid1");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->model()->rowCount(), 40);
    ASSERT_EQ(table->model()->columnCount(), 3);
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "Date/Time");
    EXPECT_EQ(table->model()->headerData(1, Qt::Horizontal).toString(), "cd/m2");
    EXPECT_EQ(table->model()->headerData(2, Qt::Horizontal).toString(), "fL");

    // Row i shows characters 1–21, 22–31 and 37–45 of line i, as the meter wrote them.
    // (the generator's lines are 62 characters and CR LF).
    for (int row : {0, 1, 39}) {
        const QString line =
            QString::fromLatin1(text.substr(static_cast<std::size_t>(row) * 64, 62));
        EXPECT_EQ(cell(table, row, 0), line.mid(0, 10) + " " + line.mid(13, 8));
        EXPECT_EQ(cell(table, row, 1), line.mid(21, 10).trimmed());
        EXPECT_EQ(cell(table, row, 2), line.mid(36, 9).trimmed());
    }
    EXPECT_EQ(cell(table, 0, 0), "2026/12/08 09:30:00");
    EXPECT_EQ(cell(table, 39, 0), "2026/12/08 09:30:39");
    EXPECT_EQ(table->model()->index(5, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignCenter);

    EXPECT_EQ(rig.find<QLabel>(list, "LblCafValue")->text(), "1.000");
    // The CCF line is "CCF", a blank, then the value in characters 5 to 14.
    const std::size_t ccfBreak = text.find("\r\nCCF ");
    ASSERT_NE(ccfBreak, std::string::npos);
    const std::size_t ccfLine = ccfBreak + 2;
    EXPECT_EQ(rig.find<QLabel>(list, "LblCcfValue")->text(),
              QString::fromLatin1(text.substr(ccfLine + 4, 10)).remove(QLatin1Char(' ')));
    EXPECT_EQ(rig.find<QLabel>(list, "LblCaf")->text(), "CAF");
    EXPECT_EQ(rig.find<QLabel>(list, "LblCCF")->text(), "CCF");

    // Loading filled the shared samples.
    EXPECT_EQ(rig.workspace.samples.first.size(), 40u);
    EXPECT_EQ(rig.workspace.samples.timeTexts.back(), "2026/12/08 09:30:39");
    EXPECT_GT(rig.workspace.samples.firstMaximum, 900);
}

TEST(DataListWindowTest, ShowsBytesAboveSevenBitsAsLatin1) {
    ViewsRig rig;
    std::string text = downloadedSet(3);
    text[31 + 4] = '\xB2';  // "cd/m²" in the first unit header
    text[21 + 9] = '\xB5';  // a stray byte in row 0's first value
    DataListWindow* list = openList(rig, text);
    QTableView* table = rig.find<QTableView>(list, "MSFlexGrid1");
    EXPECT_EQ(table->model()->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("cd/m²"));
    EXPECT_TRUE(cell(table, 0, 1).endsWith(QChar(0xB5)));
}

// As it opens and at its smallest, nothing in the list overlaps, reaches out of the window or
// off the screen, or cuts a caption short.
TEST(DataListWindowTest, LaysOutTidily) {
    ViewsRig rig;
    DataListWindow* list = openList(rig, downloadedSet(30));
    QCoreApplication::processEvents();
    EXPECT_EQ(layoutFaults(*list), std::vector<std::string>{});
    list->resize(list->minimumSize());
    QCoreApplication::processEvents();
    EXPECT_EQ(layoutFaults(*list), std::vector<std::string>{});
}

TEST(DataListWindowTest, ThreeColumnsShareOneVerticalScrollBarAndFitTheirWidth) {
    ViewsRig rig;
    DataListWindow* list = openList(rig, downloadedSet(13000));
    QTableView* table = rig.find<QTableView>(list, "MSFlexGrid1");
    list->adjustSize();
    QCoreApplication::processEvents();
    EXPECT_EQ(table->model()->rowCount(), 13000);
    EXPECT_GT(table->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0);
    // Scrolling brings every column of the same row into view together.
    table->scrollTo(table->model()->index(9000, 2), QAbstractItemView::PositionAtTop);
    EXPECT_EQ(table->rowAt(0), 9000);
    EXPECT_GT(table->columnWidth(0), table->columnWidth(1));
    EXPECT_GT(table->columnWidth(1), table->columnWidth(2));

    // A wider window widens the columns, which still fill the table up to its scroll bar.
    const int firstWidth = table->columnWidth(0);
    list->resize(list->width() + 300, list->height());
    QCoreApplication::processEvents();
    EXPECT_GT(table->columnWidth(0), firstWidth);
    EXPECT_GT(table->columnWidth(1), table->columnWidth(2));
    EXPECT_EQ(table->horizontalHeader()->length(), table->viewport()->width());
}

struct ShortTextCase {
    std::string text;
    int rows;
    QString caf, ccf;
};

class ShortDataTextTest : public ::testing::TestWithParam<ShortTextCase> {};

TEST_P(ShortDataTextTest, ShowsWhatTheLinesThereAreGive) {
    ViewsRig rig;
    DataListWindow* list = openList(rig, GetParam().text);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(rig.find<QTableView>(list, "MSFlexGrid1")->model()->rowCount(), GetParam().rows);
    EXPECT_EQ(rig.find<QLabel>(list, "LblCafValue")->text(), GetParam().caf);
    EXPECT_EQ(rig.find<QLabel>(list, "LblCcfValue")->text(), GetParam().ccf);
    EXPECT_EQ(rig.workspace.samples.first.size(), static_cast<std::size_t>(GetParam().rows));
}

INSTANTIATE_TEST_SUITE_P(Texts, ShortDataTextTest,
                         ::testing::Values(ShortTextCase{"", 0, "0", "0"},
                                           ShortTextCase{std::string(64, '\0'), 0, "0", "0"},
                                           ShortTextCase{"CAF  7\r\nCCF  8\r\nx\r\n", 0, "7", "8"},
                                           ShortTextCase{"a\r\nCAF  7\r\nCCF  8\r\nx\r\n", 1, "7",
                                                         "8"}));

TEST(DataListSaveTest, WritesTheDataTextAndOneLineEndByteForByte) {
    ViewsRig rig;
    const std::string text = downloadedSet(25);
    ASSERT_NE(text.find('\xB0'), std::string::npos);
    DataListWindow* list = openList(rig, text);
    rig.prompts.answerSaveFile(rig.path("set.pxd"));
    triggerToolbar(list, "Save");
    EXPECT_EQ(readBytes(rig.path("set.pxd")), text + "\r\n");
    EXPECT_EQ(rig.prompts.fileFilters(), std::vector<QString>{"Data Files (*.pxd);;All Files (*)"});
    EXPECT_TRUE(rig.prompts.messages().empty());
}

TEST(DataListSaveTest, CancelWritesNothingEvenAfterAnEarlierSave) {
    ViewsRig rig;
    DataListWindow* list = openList(rig, downloadedSet(5));
    rig.prompts.answerSaveFile(rig.path("first.pxd"));
    list->save();
    const std::string saved = readBytes(rig.path("first.pxd"));
    rig.workspace.dataText = "changed";
    rig.prompts.answerSaveFile(std::nullopt);
    list->save();
    rig.prompts.answerSaveFile(QString());
    list->save();
    EXPECT_EQ(readBytes(rig.path("first.pxd")), saved);
    EXPECT_EQ(QDir(rig.dir.path()).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(rig.prompts.messages().empty());
}

TEST(DataListSaveTest, SavesTheSetItShowsWhateverWasOpenedSince) {
    ViewsRig rig;
    const std::string text = downloadedSet(5);
    DataListWindow* list = openList(rig, text);
    rig.workspace.dataText = downloadedSet(9, 11);
    rig.prompts.answerSaveFile(rig.path("shown.pxd"));
    list->save();
    EXPECT_EQ(readBytes(rig.path("shown.pxd")), text + "\r\n");
}

// Ways a save can fail; each must name the file and the reason, and lose nothing.
enum class Failure { MissingDirectory, PathIsADirectory, DiskFull };

class DataListSaveFailureTest : public ::testing::TestWithParam<Failure> {};

TEST_P(DataListSaveFailureTest, SaysSoAndLeavesTheOldFileIntact) {
    ViewsRig rig;
    DataListWindow* list = openList(rig, downloadedSet(200));
    QString target;
    const std::string old = "old contents\r\n";
    switch (GetParam()) {
        case Failure::MissingDirectory:
            target = rig.path("gone/set.pxd");
            break;
        case Failure::PathIsADirectory:
            target = rig.path("folder");
            QDir(rig.dir.path()).mkdir("folder");
            break;
        case Failure::DiskFull:
            target = rig.path("set.pxd");
            writeBytes(target, old);
            break;
    }
    rig.prompts.answerSaveFile(target);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    if (GetParam() == Failure::DiskFull) {
        // Writes beyond 1000 bytes fail as on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1000;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    list->save();
    setrlimit(RLIMIT_FSIZE, &saved);

    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    const auto& message = rig.prompts.messages().front();
    EXPECT_EQ(message.icon, Prompts::Icon::Critical);
    EXPECT_TRUE(message.text.contains(QFileInfo(target).absoluteFilePath()))
        << message.text.toStdString();
    EXPECT_TRUE(message.text.contains(": ")) << message.text.toStdString();
    if (GetParam() == Failure::DiskFull) {
        EXPECT_EQ(readBytes(target), old);
    }
    if (GetParam() == Failure::MissingDirectory) {
        EXPECT_FALSE(QFileInfo::exists(target));
    }
    EXPECT_TRUE(QDir(rig.dir.path()).entryList({"*.pxd.*", "*~"}, QDir::Files).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Failures, DataListSaveFailureTest,
                         ::testing::Values(Failure::MissingDirectory, Failure::PathIsADirectory,
                                           Failure::DiskFull));

TEST(DataListPlotTest, PlotsTheListedRowsAndReplacesAnOpenPlot) {
    ViewsRig rig;
    DataListWindow* list = openList(rig, downloadedSet(6));
    triggerToolbar(list, "Plot");
    QPointer<QWidget> firstPlot = rig.views.plot();
    ASSERT_TRUE(firstPlot);
    EXPECT_EQ(firstPlot->objectName(), "Plot");
    const PlotSettings& s = rig.workspace.plot;
    EXPECT_DOUBLE_EQ(s.sampleCount, 6);
    EXPECT_DOUBLE_EQ(s.shownFirst, 1);
    EXPECT_DOUBLE_EQ(s.shownLast, 6);
    EXPECT_DOUBLE_EQ(s.fullCount, 6);
    EXPECT_DOUBLE_EQ(s.first.minimum, 0);
    EXPECT_DOUBLE_EQ(s.first.maximum, rig.workspace.samples.firstMaximum);
    EXPECT_DOUBLE_EQ(s.second.maximum, rig.workspace.samples.secondMaximum);
    EXPECT_DOUBLE_EQ(s.alternateSecond.maximum, 9999);

    triggerToolbar(list, "Plot");
    EXPECT_TRUE(firstPlot.isNull());
    EXPECT_TRUE(rig.views.plotOpen());
}

TEST(DataViewsTest, ReopeningTheListReplacesIt) {
    ViewsRig rig;
    QPointer<QWidget> first = openList(rig, downloadedSet(3));
    openList(rig, downloadedSet(8));
    EXPECT_TRUE(first.isNull());
    ASSERT_TRUE(rig.views.dataListOpen());
    EXPECT_EQ(rig.find<QTableView>(rig.views.dataList(), "MSFlexGrid1")->model()->rowCount(), 8);
    rig.views.dataList()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(rig.views.dataListOpen());
}

}  // namespace
}  // namespace photara::test
