#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QSet>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include "ui/panel/meter_face.h"
#include "ui/panel/toolbar_icons.h"
#include "panel_rig.h"
#include "support/layout_checks.h"

namespace photara::test {
namespace {

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// ---- Window, caption, timers ---------------------------------------------------------

TEST(PanelWindow, IsNamedPanelWithTheVersionInItsCaption) {
    PanelRig rig;
    EXPECT_EQ(rig.panel.objectName(), QStringLiteral("Panel"));
    EXPECT_EQ(rig.panel.windowTitle(), QStringLiteral("Panel   V10.02"));
}

TEST(PanelWindow, ClosingItEndsTheProgramEvenWithAnotherWindowOpen) {
    PanelRig rig;
    rig.panel.show();
    QWidget other;  // e.g. the plot window
    other.show();
    QTimer::singleShot(0, &rig.panel, [&] { rig.panel.close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(7); });  // fails rather than hangs
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

// Lit and shown, no control of the panel overlaps another, reaches out of the window or off
// the screen, or cuts a caption short. The display on the glass is a picture drawn with
// widgets that overlap on purpose, as the segments and marks of the meter's display do.
TEST(PanelWindow, LaysOutTidily) {
    PanelRig rig;
    rig.panel.load();
    rig.panel.showModel();
    rig.panel.show();
    const auto onTheGlass = [&](const QWidget& widget) {
        return widget.parentWidget() == rig.panel.centralWidget() &&
               MeterFace::glassRect().contains(widget.geometry());
    };
    EXPECT_EQ(layoutFaults(rig.panel, onTheGlass), std::vector<std::string>{});
}

TEST(PanelTimers, PollTimerWaitsForLoad) {
    PanelRig rig;
    auto* timer1 = rig.panel.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_EQ(timer1, &rig.panel.pollTimer());
    EXPECT_EQ(timer1->interval(), 250);
    EXPECT_FALSE(timer1->isActive());
    rig.panel.load();
    EXPECT_TRUE(timer1->isActive());
}

TEST(PanelTimers, EachPollTickAsksForAPollWhoseResultIsShown) {
    PanelRig rig;
    int ticks = 0;
    // The tick asks for a poll; its result comes later, as the session's does.
    rig.panel.setPollTick([&] {
        ++ticks;
        QTimer::singleShot(0, &rig.panel, [&] {
            rig.model.setCaption(Element::LblName, " No Connection");
            rig.panel.showPolled();
        });
    });
    int shown = 0;
    QObject::connect(&rig.panel, &Panel::tickShown, [&] { ++shown; });
    rig.panel.load();
    rig.panel.pollTimer().setInterval(0);
    for (int spin = 0; spin < 1000 && shown == 0; ++spin) QCoreApplication::processEvents();
    ASSERT_GE(shown, 1);
    EXPECT_GE(ticks, shown);  // every result shown answers a tick
    EXPECT_EQ(rig.find<QLabel>("LblName")->text(), QStringLiteral(" No Connection"));
}

// ---- Load steps -----------------------------------------------------------------------------

TEST(PanelLoad, SetsItsCaptions) {
    PanelRig rig;
    rig.model.setCaption(Element::LblPercent, "x");
    rig.model.setCaption(Element::LblPercentA, "y");
    rig.panel.load();
    EXPECT_EQ(rig.panel.keypadMember(6)->text(), QStringLiteral("Delta/%"));
    EXPECT_EQ(rig.find<QLabel>("LblPercent")->text(), QStringLiteral("%"));
    EXPECT_EQ(rig.find<QLabel>("LblPercentA")->text(), QStringLiteral("%A"));
}

// ---- Every display element is a widget at its design place ----------------------------------

class DisplayElementWidget : public ::testing::TestWithParam<std::size_t> {};

TEST_P(DisplayElementWidget, HasItsNameCaptionFontAndDesignVisibilityOnTheGlass) {
    const auto element = static_cast<Element>(GetParam());
    const ElementDesign& d = design(element);
    PanelRig rig;
    QWidget* widget = rig.panel.findChild<QWidget*>(latin1(d.name));
    ASSERT_NE(widget, nullptr) << d.name;
    if (d.kind == ElementKind::Button) {
        EXPECT_EQ(latin1(d.name), QStringLiteral("Cmdref"));
        return;
    }
    EXPECT_EQ(widget->parentWidget(), rig.panel.centralWidget()) << d.name;
    // Everything but the title lies on the glass; the title is printed below it.
    EXPECT_EQ(MeterFace::glassRect().contains(widget->geometry()), element != Element::LblName)
        << d.name;
    rig.panel.showModel();  // lit: the model's design state
    EXPECT_EQ(widget->isVisibleTo(rig.panel.centralWidget()), d.visible) << d.name;
    if (d.kind == ElementKind::Image) {
        EXPECT_EQ(widget->size(), QSize(32, 32)) << d.name;
        return;
    }
    auto* label = qobject_cast<QLabel*>(widget);
    ASSERT_NE(label, nullptr) << d.name;
    EXPECT_EQ(label->text(), latin1(d.caption)) << d.name;
    EXPECT_TRUE(label->font().bold()) << d.name;
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), d.fontPoints) << d.name;
    EXPECT_TRUE(label->font().families().contains(QStringLiteral("Arial"))) << d.name;
    const Qt::Alignment horizontal = label->alignment() & Qt::AlignHorizontal_Mask;
    EXPECT_EQ(horizontal, d.alignment == Alignment::Right ? Qt::AlignRight : Qt::AlignHCenter)
        << d.name;
}

INSTANTIATE_TEST_SUITE_P(AllElements, DisplayElementWidget,
                         ::testing::Range<std::size_t>(0, kElementCount),
                         [](const ::testing::TestParamInfo<std::size_t>& p) {
                             return std::string(elementName(static_cast<Element>(p.param)));
                         });

// ---- The model reaches the widgets ---------------------------------------------------------

TEST(ShowModel, CopiesCaptionVisibilityAndEnabledOfChangedElements) {
    PanelRig rig;
    rig.panel.showModel();  // the design state, all at once
    rig.model.setCaption(Element::LblSeg7, "r");
    rig.model.setVisible(Element::LblREC, false);
    rig.model.setVisible(Element::ImaS4, false);
    rig.model.setEnabled(Element::Cmdref, true);  // it starts disabled
    rig.model.setCaption(Element::LblName, " No Connection");
    rig.panel.showModel();
    QWidget* face = rig.panel.centralWidget();
    EXPECT_EQ(rig.find<QLabel>("LblSeg7")->text(), QStringLiteral("r"));
    EXPECT_FALSE(rig.find("LblREC")->isVisibleTo(face));
    EXPECT_FALSE(rig.find("ImaS4")->isVisibleTo(face));
    EXPECT_TRUE(rig.find("ImaS3")->isVisibleTo(face));
    EXPECT_TRUE(rig.find("Cmdref")->isEnabled());
    EXPECT_EQ(rig.find<QLabel>("LblName")->text(), QStringLiteral(" No Connection"));

    rig.model.setVisible(Element::LblREC, true);
    rig.panel.showModel();
    EXPECT_TRUE(rig.find("LblREC")->isVisibleTo(face));
}

TEST(ShowModel, LeavesUnchangedElementsAlone) {
    PanelRig rig;
    rig.panel.showModel();
    // Something else wrote a label directly; a show with no change for it must not undo it.
    rig.find<QLabel>("LblSeg1")->setText(QStringLiteral("8"));
    rig.model.setCaption(Element::LblSeg2, "7");
    rig.panel.showModel();
    EXPECT_EQ(rig.find<QLabel>("LblSeg1")->text(), QStringLiteral("8"));
    EXPECT_EQ(rig.find<QLabel>("LblSeg2")->text(), QStringLiteral("7"));
}

TEST(ShowModel, CaptionsAreBytesShownAsLatin1) {
    PanelRig rig;
    rig.model.setCaption(Element::LblSeg5, "\xB0");  // degree sign in Latin-1
    rig.panel.showModel();
    EXPECT_EQ(rig.find<QLabel>("LblSeg5")->text(), QString(QChar(0xB0)));
}

// ---- Toolbar --------------------------------------------------------------------------------

// The toolbar is made from its table: a button per row in the table's order, found through
// its command, with the row's name, its shortcut on the tip's first line and what it does on
// the second, and an icon (a drawn one where the theme has none). No two rows share a key, a
// name or a shortcut, so no command hides another.
TEST(Toolbar, HasOneButtonPerRowOfTheTable) {
    PanelRig rig;
    auto* toolbar = rig.panel.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_NE(toolbar, nullptr);
    const QList<QAction*> actions = toolbar->actions();
    ASSERT_EQ(static_cast<std::size_t>(actions.size()), toolbarRows().size());
    QSet<QString> keys, names, shortcuts;
    for (std::size_t i = 0; i < toolbarRows().size(); ++i) {
        const ToolbarRow& row = toolbarRows()[i];
        QAction* action = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(&toolbarRow(row.command), &row);
        EXPECT_EQ(rig.panel.toolbarAction(row.command), action) << row.key;
        EXPECT_EQ(action->objectName(), QString::fromLatin1(row.key));
        EXPECT_EQ(action->text(), QString::fromLatin1(row.name));
        const QString shortcut = QKeySequence(row.shortcut).toString(QKeySequence::NativeText);
        EXPECT_EQ(action->toolTip(), QStringLiteral("%1 (%2)\n%3")
                                         .arg(action->text(), shortcut, QString::fromLatin1(row.does)));
        EXPECT_FALSE(action->icon().isNull()) << row.key;
        EXPECT_FALSE(drawnToolbarIcon(row).isNull()) << row.key;
        keys.insert(action->objectName());
        names.insert(action->text());
        shortcuts.insert(shortcut);
    }
    EXPECT_EQ(static_cast<std::size_t>(keys.size()), toolbarRows().size());
    EXPECT_EQ(static_cast<std::size_t>(names.size()), toolbarRows().size());
    EXPECT_EQ(static_cast<std::size_t>(shortcuts.size()), toolbarRows().size());
    rig.panel.layout()->activate();
    EXPECT_EQ(toolbar->y(), 0);
    EXPECT_GE(rig.panel.centralWidget()->y(), toolbar->height());
}

// ---- Erase list -------------------------------------------------------------

TEST(EraseListTest, StartsHiddenAndSwallowsEveryKeyAndTheWheel) {
    PanelRig rig;
    QComboBox* list = rig.panel.eraseList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->objectName(), QStringLiteral("ComboErase"));
    EXPECT_FALSE(list->isVisibleTo(rig.panel.centralWidget()));
    EXPECT_EQ(list->parentWidget(), rig.panel.centralWidget());
    EXPECT_LT(list->x(), 20);
    EXPECT_LT(list->y(), 20);

    list->addItems(
        {QStringLiteral("Exit"), QStringLiteral("1  2019/08/01 12:34:56"), QStringLiteral("All")});
    list->setCurrentIndex(0);
    list->show();
    int activated = 0;
    QObject::connect(list, &QComboBox::activated, [&] { ++activated; });
    for (int key : {int(Qt::Key_Down), int(Qt::Key_End), int(Qt::Key_A), int(Qt::Key_Space),
                    int(Qt::Key_F4), int(Qt::Key_Return)}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                        key == Qt::Key_A ? QStringLiteral("A") : QString());
        QCoreApplication::sendEvent(list, &press);
    }
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &wheel);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(activated, 0);
}

// ---- Keyboard -------------------------------------------------------------------------------

TEST(Keyboard, TabReachesOnlyWidgetsInsideTheClientArea) {
    PanelRig rig;
    QWidget* face = rig.panel.centralWidget();
    int focusable = 0;
    for (QWidget* widget : face->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(face)) continue;
        const QRect place(widget->mapTo(face, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(face->rect().contains(place)) << widget->objectName().toStdString();
        ++focusable;
    }
    EXPECT_EQ(focusable, 16);  // the fifteen grid keys and REF
}

// ---- What it looks like ---------------------------------------------------------------------

int darkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 80) ++dark;
    return dark;
}

int maxGrayDifference(const QImage& a, const QImage& b, const QRect& area) {
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            most = std::max(most, std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))));
    return most;
}

TEST(PanelPicture, DigitsAndIconsShowDarkOnTheLightGlassAndVanishWhenHidden) {
    PanelRig rig;
    rig.panel.load();
    rig.panel.showModel();  // lit, as after the first display report
    QWidget* face = rig.panel.centralWidget();
    const auto place = [&](const char* name) { return rig.find(name)->geometry(); };

    QImage shown = face->grab().toImage();
    // The glass between elements is light and greenish.
    const QColor glass = shown.pixelColor(5 + 490 / 2, 300);
    EXPECT_GT(glass.green(), glass.blue());
    EXPECT_GT(qGray(glass.rgb()), 140);
    EXPECT_GT(darkPixels(shown, place("LblSeg1")), 50);
    EXPECT_GT(darkPixels(shown, place("ImaAPO")), 20);
    EXPECT_GT(darkPixels(shown, place("ImaS1")), 20);
    // The keys differ from the casing around them.
    const QRect key = rig.panel.keypadMember(5)->geometry();
    EXPECT_NE(shown.pixelColor(key.center()), shown.pixelColor(key.left() - 4, key.center().y()));

    // While a transfer locks the panel's inputs the display reads exactly as before.
    face->setEnabled(false);
    const QImage locked = face->grab().toImage();
    for (const char* name : {"LblSeg1", "LblREC", "ImaAPO"})
        EXPECT_LE(maxGrayDifference(locked, shown, place(name)), 8) << name;
    face->setEnabled(true);

    rig.model.setVisible(Element::LblSeg1, false);
    rig.model.setVisible(Element::ImaAPO, false);
    for (Element bar : {Element::ImaS1, Element::ImaS2, Element::ImaS3, Element::ImaS4,
                        Element::ImaS5, Element::ImaS6})
        rig.model.setVisible(bar, false);
    rig.panel.showModel();
    QImage hidden = face->grab().toImage();
    EXPECT_EQ(darkPixels(hidden, place("LblSeg1")), 0);
    EXPECT_EQ(darkPixels(hidden, place("ImaAPO")), 0);
    EXPECT_EQ(darkPixels(hidden, place("ImaS1")), 0);
}

}  // namespace
}  // namespace photara::test
