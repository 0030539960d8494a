#include "ui/base/dialog_owner.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

namespace photara {
namespace {

// Two windows, each with a box to click or type in; the first is the panel.
struct TwoWindows {
    TwoWindows() {
        for (QWidget* w : {&panel, &plot}) w->show();
    }
    QWidget panel;
    QWidget plot;
    QLineEdit* panelBox = new QLineEdit(&panel);
    QLineEdit* plotBox = new QLineEdit(&plot);
};

// A question opens over the window last clicked or typed in, whichever the window manager
// calls active; over the panel once that window is gone.
TEST(DialogOwner, FollowsTheWindowLastUsed) {
    TwoWindows w;
    DialogOwner owner(&w.panel);
    w.panel.activateWindow();
    QTest::mouseClick(w.plotBox, Qt::LeftButton);
    EXPECT_EQ(owner.window(), &w.plot);
    QTest::keyClick(w.panelBox, Qt::Key_A);
    EXPECT_EQ(owner.window(), &w.panel);
    // A file dialog opened from the plot, typed in, closed: the next question goes over the
    // plot again, whichever window the window manager activated meanwhile.
    QTest::keyClick(w.plotBox, Qt::Key_A);
    {
        QWidget fileDialog;
        auto* name = new QLineEdit(&fileDialog);
        fileDialog.show();
        QTest::keyClick(name, Qt::Key_B);
        EXPECT_EQ(owner.window(), &fileDialog);
    }
    w.panel.activateWindow();
    EXPECT_EQ(owner.window(), &w.plot);
    w.plot.hide();
    EXPECT_EQ(owner.window(), &w.panel);
}

TEST(FocusReturn, GivesTheFocusBackWhenTheDialogCloses) {
    TwoWindows w;
    w.plot.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.plot));
    w.plotBox->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), w.plotBox);
    {
        const FocusReturn back;
        w.panel.activateWindow();  // the dialog's closing activated the panel
        w.panelBox->setFocus();
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.plot));
    EXPECT_EQ(QApplication::focusWidget(), w.plotBox);
}

}  // namespace
}  // namespace photara
