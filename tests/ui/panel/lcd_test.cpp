#include <gtest/gtest.h>

#include "ui/base/accessible_tree.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "ui/panel/lcd_display.h"
#include "panel_rig.h"

namespace photara::test {
namespace {

QWidget* widgetOf(PanelRig& rig, Element element) {
    return rig.find(std::string(elementName(element)).c_str());
}

// ---- Cells at an even pitch, marks between them ---------------------------------------------

struct CellGroup {
    std::size_t first;  // index into kDigitPositions
    std::size_t count;
};

TEST(LcdLayout, CellsSitAtAnEvenPitchAndEveryMarkLiesInTheGapAfterItsCell) {
    PanelRig rig;
    for (const CellGroup group : {CellGroup{0, 4}, CellGroup{4, 3}, CellGroup{7, 6}}) {
        const QRect first = widgetOf(rig, kDigitPositions[group.first])->geometry();
        const QRect second = widgetOf(rig, kDigitPositions[group.first + 1])->geometry();
        const int pitch = second.left() - first.left();
        EXPECT_GT(pitch, first.width()) << "cells of a group never touch";
        for (std::size_t k = 0; k < group.count; ++k) {
            const Element cell = kDigitPositions[group.first + k];
            const QRect place = widgetOf(rig, cell)->geometry();
            EXPECT_EQ(place, first.translated(static_cast<int>(k) * pitch, 0))
                << elementName(cell);
        }
    }
    const std::pair<Element, Element> marks[] = {
        {Element::LblP1, Element::LblSeg1},      {Element::LblP2, Element::LblSeg2},
        {Element::LblP3, Element::LblSeg3},      {Element::LblSlash1, Element::LblSeg9},
        {Element::LblDotDot1, Element::LblSeg9}, {Element::LblP10, Element::LblSeg10},
        {Element::LblSlash2, Element::LblSeg11}, {Element::LblDotDot2, Element::LblSeg11},
        {Element::LblP11, Element::LblSeg11},    {Element::LblP13, Element::LblSeg12},
    };
    for (const auto& [mark, after] : marks) {
        const QRect place = widgetOf(rig, mark)->geometry();
        const QRect before = widgetOf(rig, after)->geometry();
        const QRect next = widgetOf(rig, static_cast<Element>(index(after) + 1))->geometry();
        EXPECT_GT(place.width(), 0) << elementName(mark);
        EXPECT_GT(place.left(), before.right()) << elementName(mark);
        EXPECT_LT(place.right(), next.left()) << elementName(mark);
        EXPECT_EQ(place.bottom(), before.bottom()) << elementName(mark);
    }
}

// ---- Blank until the first display report ---------------------------------------------------

TEST(LcdBlank, OnlyTheTitleShowsUntilATickBringsTheFirstReport) {
    PanelRig rig;
    bool reported = false;
    // Each tick's poll answers at once.
    rig.panel.setPollTick([&] {
        rig.model.setCaption(Element::LblName, reported ? "Photara" : " No Connection");
        rig.panel.showPolled();
    });
    rig.panel.setReportSeen([&] { return reported; });
    QWidget* face = rig.panel.centralWidget();
    auto blankAsExpected = [&] {
        for (std::size_t i = 0; i < kElementCount; ++i) {
            const auto element = static_cast<Element>(i);
            QWidget* widget = widgetOf(rig, element);
            const bool cell = std::find(kDigitPositions.begin(), kDigitPositions.end(),
                                        element) != kDigitPositions.end();
            const bool shown = cell || element == Element::LblName || element == Element::Cmdref;
            EXPECT_EQ(widget->isVisibleTo(face), shown) << elementName(element);
            if (cell) {
                EXPECT_TRUE(qobject_cast<QLabel*>(widget)->text().isEmpty());
            }
        }
    };
    blankAsExpected();
    rig.panel.load();
    QCoreApplication::processEvents();  // the first tick: no meter
    blankAsExpected();
    EXPECT_EQ(rig.find<QLabel>("LblName")->text(), QStringLiteral(" No Connection"));

    reported = true;
    rig.panel.pollTimer().setInterval(0);
    for (int spin = 0; spin < 100 && !rig.find("LblREC")->isVisibleTo(face); ++spin)
        QCoreApplication::processEvents();
    EXPECT_TRUE(rig.find("LblREC")->isVisibleTo(face));  // every element as the model has it
    EXPECT_EQ(rig.find<QLabel>("LblSeg1")->text(), QStringLiteral("0"));
    EXPECT_EQ(rig.find<QLabel>("LblName")->text(), QStringLiteral("Photara"));
}

// ---- The first tick comes at once -----------------------------------------------------------

TEST(PanelTimers, TheFirstTickRunsAtOnceUnlessACommandStoppedThePollMeanwhile) {
    for (const bool stoppedMeanwhile : {false, true}) {
        PanelRig rig;
        int ticks = 0;
        rig.panel.setPollTick([&] { ++ticks; });
        rig.panel.load();
        if (stoppedMeanwhile) rig.panel.pollTimer().stop();
        QCoreApplication::processEvents();
        EXPECT_EQ(ticks, stoppedMeanwhile ? 0 : 1) << stoppedMeanwhile;
        EXPECT_EQ(rig.panel.pollTimer().interval(), 250);
    }
}

// ---- Screen reader and keyboard ------------------------------------------------------------

TEST(LcdAccessibility, EachWidgetSaysWhatItIsAndKeepsItsElementName) {
    PanelRig rig;
    const std::pair<const char*, const char*> names[] = {
        {"LblSeg1", "Main reading, character 1"}, {"LblSeg13", "Lower line, character 9"},
        {"LblREC", "Recording indicator"},        {"Lblcd", "Unit cd"},
        {"LblP2", "Decimal point"},               {"LblDotDot1", "Colon"},
        {"ImaS1", "Battery"},
        {"CmdBtn_9", "MEM"},                      {"Cmdref", "REF"},
    };
    for (const auto& [objectName, name] : names) {
        QWidget* widget = rig.find(objectName);
        ASSERT_NE(widget, nullptr) << objectName;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(iface, nullptr) << objectName;
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(name)) << objectName;
    }
}

struct ReadingCase {
    std::array<const char*, 4> cells;
    int pointAfter;  // 0: none
    std::vector<Element> units;
    std::vector<Element> lit;  // indicators
    const char* expected;
};

class MainReadingText : public ::testing::TestWithParam<ReadingCase> {};

// The display is one accessible whose name is the whole reading: digits, unit, lit indicators.
TEST_P(MainReadingText, IsReadOutInOnePieceWithItsUnitAndIndicators) {
    const ReadingCase& c = GetParam();
    PanelRig rig;
    for (std::size_t i = 0; i < kElementCount; ++i) {
        const auto e = static_cast<Element>(i);
        if (std::find(kDigitPositions.begin(), kDigitPositions.end(), e) == kDigitPositions.end())
            rig.model.setVisible(e, std::find(c.lit.begin(), c.lit.end(), e) != c.lit.end());
    }
    const Element points[] = {Element::LblP1, Element::LblP2, Element::LblP3};
    const Element unitLegends[] = {Element::LblK1, Element::Lblcd, Element::LblSlashm,
                                   Element::Lbl2,  Element::Lblh1, Element::LblK2,
                                   Element::LblfL, Element::Lblh2};
    for (std::size_t k = 0; k < 4; ++k) rig.model.setCaption(kDigitPositions[k], c.cells[k]);
    for (int k = 0; k < 3; ++k) rig.model.setVisible(points[k], c.pointAfter == k + 1);
    for (Element legend : unitLegends)
        rig.model.setVisible(legend, std::find(c.units.begin(), c.units.end(), legend) !=
                                         c.units.end());
    rig.panel.showModel();
    QAccessibleInterface* iface =
        QAccessible::queryAccessibleInterface(rig.find("MainReading"));
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Readings, MainReadingText,
    ::testing::Values(
        ReadingCase{{"1", "3", "7", "2"}, 3, {Element::Lblcd, Element::LblSlashm, Element::Lbl2},
                    {}, "137.2 cd/m\u00B2"},
        ReadingCase{{"", "4", "0", "5"}, 2, {Element::LblK2, Element::LblfL}, {}, "4.05 KfL"},
        ReadingCase{{"3", "2", "5", "6"}, 3, {Element::Lblcd, Element::LblSlashm, Element::Lbl2},
                    {Element::LblH, Element::LblREC}, "325.6 cd/m\u00B2, REC, H"},
        ReadingCase{{"S", "t", "A", "r"}, 0, {}, {}, "StAr"}));

// A screen reader meets the face as the user sees it: the display in one piece and the keys,
// each named; no LCD cell, no key parked outside the window, nothing hidden.
TEST(LcdAccessibility, TheFaceListsOnlyWhatAUserCanMeetEachNamed) {
    installAccessibleTree();
    PanelRig rig;
    rig.panel.load();
    rig.panel.pollTimer().stop();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(rig.find("MeterFace"));
    ASSERT_NE(face, nullptr);
    QStringList names;
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* child = face->child(i);
        ASSERT_NE(child, nullptr);
        auto* widget = qobject_cast<QWidget*>(child->object());
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->isVisibleTo(rig.find("MeterFace"))) << widget->objectName().toStdString();
        EXPECT_FALSE(child->text(QAccessible::Name).isEmpty()) << widget->objectName().toStdString();
        EXPECT_EQ(face->indexOfChild(child), i);
        names << widget->objectName();
    }
    EXPECT_TRUE(names.contains(QStringLiteral("MainReading")));
    EXPECT_TRUE(names.contains(QStringLiteral("CmdBtn_9")));  // MEM
    for (const char* gone : {"LblSeg1", "LblREC", "ComboErase"})
        EXPECT_FALSE(names.contains(QString::fromLatin1(gone))) << gone;
}

TEST(KeypadKeyboard, TabWalksTheKeysRowByRowAndSpaceEnterAndPressActionSendThem) {
    PanelRig rig;
    rig.rhLit = true;  // REF enabled, Delta/% sends 26
    rig.find("Cmdref")->setEnabled(true);
    const std::pair<const char*, std::uint8_t> order[] = {
        {"CmdBtn_5", 5},   {"CmdBtn_4", 4},   {"CmdBtn_3", 3},   {"CmdBtn_2", 2},
        {"CmdBtn_1", 1},   {"CmdBtn_9", 9},   {"CmdBtn_10", 10}, {"CmdBtn_15", 15},
        {"CmdBtn_28", 28}, {"CmdBtn_6", 26},  {"Cmdref", 27},    {"CmdBtn_11", 11},
        {"CmdBtn_12", 12}, {"CmdBtn_8", 8},   {"CmdBtn_7", 7},   {"CmdBtn_29", 29},
    };
    QWidget* key = rig.find(order[0].first);
    for (const auto& [name, code] : order) {
        ASSERT_EQ(key, rig.find(name)) << "Tab should reach " << name;
        for (int k : {int(Qt::Key_Space), int(Qt::Key_Return), int(Qt::Key_Enter)}) {
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
            QCoreApplication::sendEvent(key, &press);
            QCoreApplication::sendEvent(key, &release);
        }
        auto* action = QAccessible::queryAccessibleInterface(key)->actionInterface();
        ASSERT_NE(action, nullptr) << name;
        action->doAction(QAccessibleActionInterface::pressAction());  // an animated click
        QElapsedTimer waited;
        waited.start();
        while (rig.sent.size() < 4 && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        EXPECT_EQ(rig.codes(), std::vector<std::uint8_t>(4, code)) << name;
        rig.sent.clear();
        do key = key->nextInFocusChain();
        while (!(key->focusPolicy() & Qt::TabFocus) || !key->isVisibleTo(rig.panel.centralWidget()));
    }
}

}  // namespace
}  // namespace photara::test
