// Every command of the panel, the data list and the plot is reachable from the keyboard: its
// key (spelt out, so that no platform theme can unbind it) triggers it in its window, and Tab
// reaches its toolbar button.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "../datalist/views_rig.h"
#include "core/live/display_model.h"
#include "ui/panel/panel.h"

namespace photara::test {
namespace {

struct KeyCase {
    const char* window;  // "Panel", "DataList" or "Plot"
    const char* command;
    QKeySequence key;
    friend void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.window << "." << c.command; }
};

class CommandKeyTest : public ::testing::TestWithParam<KeyCase> {
  protected:
    QWidget* open(const std::string& which) {
        if (which == "Panel") {
            panel.show();
            return &panel;
        }
        rig.workspace.dataText = downloadedSet(20);
        rig.views.showDataList();
        if (which == "DataList") return rig.views.dataList();
        rig.views.showPlot();
        return rig.views.plot();
    }

    DisplayModel model;
    FakeClock clock;
    Panel panel{model, clock};
    ViewsRig rig;
};

TEST_P(CommandKeyTest, KeyTriggersTheCommandAndTabReachesItsButton) {
    const KeyCase& c = GetParam();
    QWidget* window = open(c.window);
    ASSERT_NE(window, nullptr);
    auto* toolbar = window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_NE(toolbar, nullptr);
    QAction* action = window->findChild<QAction*>(QString::fromLatin1(c.command));
    ASSERT_NE(action, nullptr);
    action->setEnabled(true);
    QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);  // the key, not the deed
    QSignalSpy triggered(action, &QAction::triggered);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keySequence(window, c.key);
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_TRUE(action->toolTip().section(QLatin1Char('\n'), 0, 0).endsWith(
        QStringLiteral("(%1)").arg(c.key.toString(QKeySequence::NativeText))));

    QWidget* button = toolbar->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    bool reached = false;
    for (int step = 0; step < 40 && !reached; ++step) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window,
                        Qt::Key_Tab);
        reached = QApplication::focusWidget() == button;
    }
    EXPECT_TRUE(reached) << "Tab never reached the button";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandKeyTest,
    ::testing::Values(KeyCase{"Panel", "Save", Qt::CTRL | Qt::Key_S},
                      KeyCase{"Panel", "Open", Qt::CTRL | Qt::Key_O},
                      KeyCase{"Panel", "Intv", Qt::CTRL | Qt::Key_I},
                      KeyCase{"Panel", "List", Qt::CTRL | Qt::Key_T},
                      KeyCase{"Panel", "Graph", Qt::CTRL | Qt::Key_G},
                      KeyCase{"Panel", "RTC", Qt::CTRL | Qt::Key_K},
                      KeyCase{"Panel", "RecSetup", Qt::CTRL | Qt::SHIFT | Qt::Key_R},
                      KeyCase{"Panel", "Memory", Qt::CTRL | Qt::Key_M},
                      KeyCase{"Panel", "Erase", Qt::CTRL | Qt::SHIFT | Qt::Key_E},
                      KeyCase{"DataList", "Save", Qt::CTRL | Qt::Key_S},
                      KeyCase{"DataList", "Plot", Qt::CTRL | Qt::Key_G},
                      KeyCase{"DataList", "Export", Qt::CTRL | Qt::Key_E},
                      KeyCase{"Plot", "Unit", Qt::CTRL | Qt::Key_U},
                      KeyCase{"Plot", "Range", Qt::CTRL | Qt::Key_R},
                      KeyCase{"Plot", "Print", Qt::CTRL | Qt::Key_P},
                      KeyCase{"Plot", "Export", Qt::CTRL | Qt::Key_E},
                      KeyCase{"Plot", "Copy", Qt::CTRL | Qt::Key_C}),
    [](const auto& p) { return std::string(p.param.window) + p.param.command; });

}  // namespace
}  // namespace photara::test
