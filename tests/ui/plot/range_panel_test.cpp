#include "ui/plot/range_panel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

#include "../datalist/views_rig.h"
#include "ui/plot/plot_window.h"

namespace photara::test {
namespace {

struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Keys pressed in TxtcdMx holding "12" with the cursor at its end: what the box then holds,
// whether the panel is still up, the cd maximum afterwards (1250 unless applied) and where the
// keyboard focus is.
struct KeysCase {
    const char* name;
    std::vector<Press> presses;
    QString text;
    bool shown;
    double cdMaximum;
    const char* focus;
};

class RangePanelKeysTest : public ::testing::TestWithParam<KeysCase> {};

TEST_P(RangePanelKeysTest, EditingKeysEditEnterAppliesEscCloses) {
    const KeysCase& c = GetParam();
    ViewsRig rig;
    Samples samples;
    samples.timeTexts = {"2026/12/08 10:00:00", "2026/12/08 10:00:01"};
    samples.first = {100, 200};
    samples.second = {10, 20};
    samples.firstMaximum = 1250;
    samples.secondMaximum = 400;
    rig.workspace.samples = samples;
    rig.views.showPlot();
    auto* plot = static_cast<PlotWindow*>(rig.views.plot());
    plot->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(plot));
    for (QAction* action : plot->toolbar()->actions())
        if (action->objectName() == QStringLiteral("Range")) action->trigger();
    ASSERT_TRUE(plot->rangePanel()->isVisible());
    ASSERT_NE(QApplication::focusWidget(), nullptr) << "the panel takes the focus";
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "TxtcdMn");
    auto* box = plot->findChild<QLineEdit*>(QStringLiteral("TxtcdMx"));
    box->setFocus();
    box->setText(QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("abc"));

    for (const Press& p : c.presses)
        QTest::keyClick(QApplication::focusWidget(), p.key, p.modifiers);

    EXPECT_EQ(box->text(), c.text) << c.name;
    EXPECT_EQ(plot->rangePanel()->isVisible(), c.shown);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.first.maximum, c.cdMaximum);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus);
    EXPECT_TRUE(rig.prompts.messages().empty());
}

constexpr auto kCtrl = Qt::ControlModifier;

// A closing panel gives the keyboard back to the window, which hands it to its plot: Home,
// + and - then work at once.
INSTANTIATE_TEST_SUITE_P(
    Keys, RangePanelKeysTest,
    ::testing::Values(
        KeysCase{"left", {{Qt::Key_Left}, {Qt::Key_5}}, "152", true, 1250, "TxtcdMx"},
        KeysCase{"home", {{Qt::Key_Home}, {Qt::Key_9}}, "912", true, 1250, "TxtcdMx"},
        KeysCase{
            "home end", {{Qt::Key_Home}, {Qt::Key_End}, {Qt::Key_3}}, "123", true, 1250, "TxtcdMx"},
        KeysCase{"backspace", {{Qt::Key_Backspace}}, "1", true, 1250, "TxtcdMx"},
        KeysCase{"delete", {{Qt::Key_Home}, {Qt::Key_Delete}}, "2", true, 1250, "TxtcdMx"},
        KeysCase{"select all", {{Qt::Key_A, kCtrl}, {Qt::Key_7}}, "7", true, 1250, "TxtcdMx"},
        KeysCase{"cut and paste",
                 {{Qt::Key_A, kCtrl}, {Qt::Key_X, kCtrl}, {Qt::Key_V, kCtrl}, {Qt::Key_V, kCtrl}},
                 "1212",
                 true,
                 1250,
                 "TxtcdMx"},
        KeysCase{"copy",
                 {{Qt::Key_A, kCtrl}, {Qt::Key_C, kCtrl}, {Qt::Key_End}, {Qt::Key_V, kCtrl}},
                 "1212",
                 true,
                 1250,
                 "TxtcdMx"},
        KeysCase{"paste of letters", {{Qt::Key_V, kCtrl}}, "12", true, 1250, "TxtcdMx"},
        KeysCase{"undo", {{Qt::Key_4}, {Qt::Key_Z, kCtrl}}, "12", true, 1250, "TxtcdMx"},
        KeysCase{"tab", {{Qt::Key_Tab}}, "12", true, 1250, "TxtMn"},
        KeysCase{"shift tab", {{Qt::Key_Backtab, Qt::ShiftModifier}}, "12", true, 1250, "TxtcdMn"},
        KeysCase{"enter", {{Qt::Key_Return}}, "12", false, 12, "PlotView"},
        KeysCase{"keypad enter", {{Qt::Key_Enter}}, "12", false, 12, "PlotView"},
        KeysCase{"escape", {{Qt::Key_4}, {Qt::Key_Escape}}, "124", false, 1250, "PlotView"},
        KeysCase{"letter", {{Qt::Key_A}}, "12", false, 12, "PlotView"}));

}  // namespace
}  // namespace photara::test
