#include "ui/logger/memory_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>

#include "core/logger/memory_status.h"

namespace photara {
namespace {

// The window as the logger commands find it: design texts, hidden unit options, the grid's
// header and column widths, and rows replaced rather than appended.
TEST(MemoryWindow, DesignTextsAndHeader) {
    MemoryWindow window(nullptr);
    EXPECT_EQ(window.objectName(), "Memory");
    EXPECT_EQ(window.windowTitle(), "Data Logger");
    QTableWidget& grid = window.grid();
    EXPECT_EQ(grid.objectName(), "GridSet");
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), "Set");
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), "  Start Time  ");
    EXPECT_EQ(grid.rowCount(), 0);
    // No heading is cut, whatever the font: "Set" once read "t" under a larger one.
    const QFontMetrics metrics(grid.font());
    for (int column = 0; column < grid.columnCount(); ++column)
        EXPECT_GT(grid.columnWidth(column),
                  metrics.horizontalAdvance(grid.horizontalHeaderItem(column)->text()));
    EXPECT_GE(grid.columnWidth(1), metrics.horizontalAdvance("8888/88/88 88:88:88"));
    EXPECT_EQ(window.findChild<QLabel*>("LblMemorySize")->text(), "Capacity : 512 K");
    EXPECT_EQ(window.findChild<QProgressBar*>("MSize")->format(), "Memory Size");
    EXPECT_TRUE(window.findChild<QWidget*>("SSPanel2"));
    EXPECT_TRUE(window.findChild<QWidget*>("SSPanel3"));
    EXPECT_TRUE(window.findChild<QWidget*>("MBar"));
    EXPECT_TRUE(window.findChild<QWidget*>("PicOptLxFc")->isHidden());

    window.listSets({"20190801123456", "20190802000000"});
    window.listSets({"20190803101010"});
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.item(0, 0)->text(), "1");
    EXPECT_EQ(grid.item(0, 1)->text(), "2019/08/03 10:10:10");
}

// Under a theme's larger font each column still holds its heading, as the header draws it,
// and its widest value.
class MemoryWindowFont : public ::testing::TestWithParam<int> {};

TEST_P(MemoryWindowFont, EveryColumnHoldsItsHeadingAndItsValues) {
    const QFont before = QApplication::font();
    QFont font = before;
    font.setPointSize(GetParam());
    QApplication::setFont(font);
    {
        MemoryWindow window(nullptr);
        QTableWidget& grid = window.grid();
        window.listSets({"20191231235959", "20190801123456", "20190802000000", "20190803101010",
                         "20190804101010", "20190805101010", "20190806101010", "20190807101010",
                         "20190808101010", "20190809101010", "20190810101010", "20190811101010"});
        for (int column = 0; column < grid.columnCount(); ++column) {
            SCOPED_TRACE(column);
            EXPECT_GE(grid.columnWidth(column), grid.horizontalHeader()->sectionSizeHint(column));
            const QFontMetrics metrics(grid.font());
            for (int row = 0; row < grid.rowCount(); ++row) {
                if (const QTableWidgetItem* item = grid.item(row, column)) {
                    EXPECT_GT(grid.columnWidth(column), metrics.horizontalAdvance(item->text()));
                }
            }
        }
    }
    QApplication::setFont(before);
}

INSTANTIATE_TEST_SUITE_P(PointSizes, MemoryWindowFont, ::testing::Values(8, 10, 13, 16));

TEST(MemoryWindow, BusyWindowStaysOpenAndItsGridTakesNoClicks) {
    MemoryWindow window(nullptr);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.listSets({"20190801123456"});
    window.show();
    int chosen = 0;
    QObject::connect(&window, &MemoryWindow::setChosen, [&](int k) { chosen = k; });
    window.setBusy(true);
    EXPECT_FALSE(window.close());
    emit window.grid().cellClicked(0, 0);
    EXPECT_EQ(chosen, 0);
    window.setBusy(false);
    emit window.grid().cellClicked(0, 1);
    EXPECT_EQ(chosen, 1);
    EXPECT_TRUE(window.close());
}

}  // namespace
}  // namespace photara
