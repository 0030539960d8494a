#include <gtest/gtest.h>

#include <QPushButton>
#include <functional>
#include <stdexcept>
#include <string>

#include "ui/panel/key_exchange.h"
#include "ui/panel/key_face.h"
#include "ui/panel/mem_key.h"
#include "panel_rig.h"

namespace photara::test {
namespace {

// ---- The control array CmdBtn: every member sends its index --------------------------------

struct MemberCase {
    int index;
    const char* caption;
    bool inClientArea;
};

const MemberCase kMembers[] = {
    {5, "H", true},        {4, "SET", true},      {3, "MX / MN", true},  {2, "RANGE", true},
    {1, "LIGHT", true},    {9, "MEM", true},      {10, "READ", true},    {15, "CMP", true},
    {28, "AVG", true},     {6, "Delta/%", true},  {11, "A", true},       {12, "B", true},
    {8, "TIME", true},     {7, "ENTER", true},    {29, "ACC", true},     {0, "SSCommand17", false},
    {13, "Cmd13", false},  {14, "Cmd14", false},  {16, "AVG", false},    {17, "CmdBtn", false},
    {18, "CmdBtn", false}, {19, "CmdBtn", false}, {20, "CmdBtn", false}, {21, "CmdBtn", false},
    {22, "CmdBtn", false}, {23, "CmdBtn", false}, {24, "CmdBtn", false}, {25, "CmdBtn", false},
    {26, "CmdBtn", false}, {27, "CmdBtn", false}, {30, "CmdBtn", false}, {31, "CmdBtn", false},
};

class CmdBtnMember : public ::testing::TestWithParam<MemberCase> {};

TEST_P(CmdBtnMember, SendsItsIndex) {
    const MemberCase& c = GetParam();
    PanelRig rig;
    rig.panel.load();
    const std::string name = "CmdBtn_" + std::to_string(c.index);
    auto* button = rig.find<QPushButton>(name.c_str());
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button, rig.panel.keypadMember(c.index));
    EXPECT_EQ(button->property("index").toInt(), c.index);
    EXPECT_EQ(button->text(), QString::fromLatin1(c.caption));

    // Inside the client area means wholly inside it; the others lie wholly beyond an edge.
    QWidget* face = rig.panel.centralWidget();
    const QRect place(button->mapTo(face, QPoint(0, 0)), button->size());
    if (c.inClientArea) {
        EXPECT_TRUE(face->rect().contains(place)) << name;
    } else {
        EXPECT_FALSE(face->rect().intersects(place)) << name;
    }

    button->click();
    ASSERT_EQ(rig.sent.size(), 1u);
    EXPECT_EQ(rig.sent[0].code, c.index);
}

INSTANTIATE_TEST_SUITE_P(AllMembers, CmdBtnMember, ::testing::ValuesIn(kMembers));

TEST(CmdBtnArray, HasExactlyThirtyTwoMembersOfWhichFifteenAreInTheClientArea) {
    PanelRig rig;
    int visible = 0;
    for (int index = 0; index < 32; ++index) {
        QPushButton* member = rig.panel.keypadMember(index);
        ASSERT_NE(member, nullptr) << index;
        if (rig.panel.centralWidget()->rect().contains(
                QRect(member->mapTo(rig.panel.centralWidget(), QPoint(0, 0)), member->size())))
            ++visible;
    }
    EXPECT_EQ(rig.panel.keypadMember(32), nullptr);
    EXPECT_EQ(visible, 15);
}

// ---- Member 6 sends 26 while R-H is lit; REF sends 27 and follows the model -----------------

struct RhCase {
    bool rhLit;
    std::uint8_t code;
};

class DeltaKey : public ::testing::TestWithParam<RhCase> {};

TEST_P(DeltaKey, FollowsTheRhAnnunciator) {
    PanelRig rig;
    rig.rhLit = GetParam().rhLit;
    rig.panel.keypadMember(6)->click();
    EXPECT_EQ(rig.codes(), std::vector<std::uint8_t>{GetParam().code});
}

INSTANTIATE_TEST_SUITE_P(RhOffAndOn, DeltaKey,
                         ::testing::Values(RhCase{false, 6}, RhCase{true, 26}));

TEST(RefKey, IsUsableOnlyWhileTheModelEnablesItAndSends27) {
    PanelRig rig;
    auto* ref = rig.find<QPushButton>("Cmdref");
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(ref->text(), QStringLiteral("REF"));
    rig.panel.showModel();
    EXPECT_FALSE(ref->isEnabled()) << "R-H is not lit before the first display report";

    rig.model.setEnabled(Element::Cmdref, false);
    rig.panel.showModel();
    EXPECT_FALSE(ref->isEnabled());
    ref->click();
    EXPECT_TRUE(rig.sent.empty());

    rig.model.setEnabled(Element::Cmdref, true);
    rig.panel.showModel();
    ref->click();
    ASSERT_EQ(rig.codes(), std::vector<std::uint8_t>{27});
}

// ---- The plain buttons of the second key set -----------------------------------------------

struct PlainCase {
    const char* name;
    const char* caption;
    std::uint8_t code;
};

class PlainButton : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainButton, SendsItsCode) {
    const PlainCase& c = GetParam();
    PanelRig rig;
    auto* button = rig.find<QPushButton>(c.name);
    ASSERT_NE(button, nullptr) << c.name;
    EXPECT_EQ(button->text(), QString::fromLatin1(c.caption));
    EXPECT_EQ(button->parentWidget()->objectName(), QStringLiteral("PicOdd"));
    button->click();
    EXPECT_EQ(rig.codes(), std::vector<std::uint8_t>{c.code});
}

INSTANTIATE_TEST_SUITE_P(
    SecondSet, PlainButton,
    ::testing::Values(PlainCase{"Command1", "Light", 1}, PlainCase{"Command2", "Range", 2},
                      PlainCase{"Command3", "MX/MN", 3}, PlainCase{"Command4", "SET", 4},
                      PlainCase{"Command5", "H", 5}, PlainCase{"Command6", "Delta/%", 6},
                      PlainCase{"Command7", "Enter", 7}, PlainCase{"Command8", "TIME", 8},
                      PlainCase{"Command9", "MEM", 9}, PlainCase{"Command10", "READ", 10},
                      PlainCase{"Command12", "", 14}, PlainCase{"Command13", "CMP", 15},
                      PlainCase{"Command14", "AVG", 16}));

TEST(SecondKeySet, LiesBeyondTheRightEdge) {
    PanelRig rig;
    QWidget* picOdd = rig.find("PicOdd");
    ASSERT_NE(picOdd, nullptr);
    EXPECT_EQ(picOdd->x(), 13800 / 15);
    EXPECT_EQ(rig.find("Command11"), nullptr);
}

// ---- Press-and-release keys: white while held, sent on release, saved colour back ----------

struct PressReleaseCase {
    const char* name;
    int shapes;
    std::uint8_t code;
};

class PressReleaseKeyTest : public ::testing::TestWithParam<PressReleaseCase> {};

TEST_P(PressReleaseKeyTest, SendsOnReleaseAndRestoresTheFirstShapesFill) {
    const PressReleaseCase& c = GetParam();
    PanelRig rig;
    auto* key = rig.find<PressReleaseKey>(c.name);
    ASSERT_NE(key, nullptr) << c.name;
    ASSERT_EQ(key->shapes().size(), static_cast<std::size_t>(c.shapes));
    // Give the first shape a fill of its own and a different rim, so that the test sees which
    // colour comes back where.
    const QColor fill(0x12, 0x34, 0x56);
    key->shapes().front()->setBackColor(fill);
    for (KeyFaceShape* shape : key->shapes()) shape->setBorderColor(QColor(0xab, 0xcd, 0xef));

    sendMouse(*key, QEvent::MouseButtonPress);
    EXPECT_TRUE(rig.sent.empty()) << "nothing is sent on press";
    for (KeyFaceShape* shape : key->shapes()) {
        EXPECT_EQ(shape->backColor(), QColor(Qt::white));
        EXPECT_EQ(shape->borderColor(), QColor(Qt::white));
    }

    sendMouse(*key, QEvent::MouseButtonRelease);
    ASSERT_EQ(rig.codes(), std::vector<std::uint8_t>{c.code});
    for (KeyFaceShape* shape : key->shapes()) {
        EXPECT_EQ(shape->backColor(), fill);
        EXPECT_EQ(shape->borderColor(), fill);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SecondSet, PressReleaseKeyTest,
    ::testing::Values(PressReleaseCase{"CmdH", 1, 1}, PressReleaseCase{"Cmdcd", 2, 2},
                      PressReleaseCase{"Cmdlxfc", 2, 3}, PressReleaseCase{"CmdMem", 2, 4},
                      PressReleaseCase{"CmdRead", 2, 5}, PressReleaseCase{"CmdAVG", 3, 6},
                      PressReleaseCase{"CmdUp", 1, 7}, PressReleaseCase{"CmdDown", 1, 8}));

TEST(PressReleaseKeys, ShapesAreNamedAfterTheirKeyWithAnIndexForSeveral) {
    PanelRig rig;
    for (const char* name : {"ShapeH", "Shapecd_0", "Shapecd_1", "ShapeAVG_2", "ShapeUp",
                             "ShapeDown", "ShapeMem_1", "ShapeRead_0", "Shapelxfc_1"}) {
        EXPECT_NE(rig.find<KeyFaceShape>(name), nullptr) << name;
    }
}

// ---- MEM: long press by the clock's time of day ---------------------------------------------

struct HoldCase {
    const char* what;
    LocalDateTime pressed;
    LocalDateTime released;
    std::uint8_t code;
};

class MemHold : public ::testing::TestWithParam<HoldCase> {};

TEST_P(MemHold, ChoosesShortOrLongCode) {
    const HoldCase& c = GetParam();
    PanelRig rig;
    auto* mem = rig.find<PressReleaseKey>("CmdMem");
    ASSERT_NE(mem, nullptr);
    rig.clock.set(c.pressed);
    sendMouse(*mem, QEvent::MouseButtonPress);
    rig.clock.set(c.released);
    sendMouse(*mem, QEvent::MouseButtonRelease);
    EXPECT_EQ(rig.codes(), std::vector<std::uint8_t>{c.code}) << c.what;
}

// The same hold by keyboard: Space held on the visible MEM key, with key repeats in between.
// A short hold is MEM's own click (9); a long one sends the long-press code.
TEST_P(MemHold, SpaceHeldOnTheVisibleMemKeyChoosesTheSameWay) {
    const HoldCase& c = GetParam();
    PanelRig rig;
    QWidget* mem = rig.find("CmdBtn_9");
    ASSERT_NE(mem, nullptr);
    auto space = [&](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QString(), repeat);
        QCoreApplication::sendEvent(mem, &event);
    };
    rig.clock.set(c.pressed);
    space(QEvent::KeyPress, false);
    space(QEvent::KeyRelease, true);
    space(QEvent::KeyPress, true);
    rig.clock.set(c.released);
    space(QEvent::KeyRelease, false);
    const std::uint8_t expected = c.code == kMemLongCode ? kMemLongCode : 9;
    EXPECT_EQ(rig.codes(), std::vector<std::uint8_t>{expected}) << c.what;
    EXPECT_FALSE(static_cast<QPushButton*>(mem)->isDown()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Holds, MemHold,
    ::testing::Values(
        HoldCase{"two seconds", {2026, 1, 5, 10, 0, 0, 0}, {2026, 1, 5, 10, 0, 2, 0}, 4},
        HoldCase{"three and a half", {2026, 1, 5, 10, 0, 0, 0}, {2026, 1, 5, 10, 0, 3, 500}, 10},
        HoldCase{"exactly three, odd milliseconds",
                 {2026, 1, 5, 13, 53, 20, 123},
                 {2026, 1, 5, 13, 53, 23, 123},
                 4},
        HoldCase{
            "one millisecond over", {2026, 1, 5, 23, 0, 0, 999}, {2026, 1, 5, 23, 0, 4, 0}, 10},
        HoldCase{"across midnight", {2026, 1, 5, 23, 59, 59, 0}, {2026, 1, 6, 0, 0, 5, 0}, 4}));

TEST(MemHold, ReleaseUsesTheLatestPress) {
    PanelRig rig;
    auto* mem = rig.find<PressReleaseKey>("CmdMem");
    rig.clock.set({2026, 1, 5, 10, 0, 0, 0});
    sendMouse(*mem, QEvent::MouseButtonPress);
    rig.clock.set({2026, 1, 5, 10, 0, 10, 0});
    sendMouse(*mem, QEvent::MouseButtonPress);  // a second button went down later
    rig.clock.set({2026, 1, 5, 10, 0, 11, 0});
    sendMouse(*mem, QEvent::MouseButtonRelease);
    EXPECT_EQ(rig.codes(), std::vector<std::uint8_t>{4});
}

// Left down, right down, right up, left up: each release sends the key, and the face comes
// back in its own colour rather than in the white of the first press.
TEST(PressReleaseKeys, ASecondButtonOnAHeldKeyDoesNotLeaveItWhite) {
    PanelRig rig;
    auto* key = rig.find<PressReleaseKey>("CmdH");
    const QColor fill(0x12, 0x34, 0x56);
    key->shapes().front()->setBackColor(fill);
    const QPointF at(key->width() / 2.0, key->height() / 2.0);
    auto mouse = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, key->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(key, &event);
    };
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, Qt::RightButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(rig.codes(), (std::vector<std::uint8_t>{1, 1}));
    EXPECT_EQ(key->shapes().front()->backColor(), fill);

    sendMouse(*key, QEvent::MouseButtonPress);  // the next press still turns it white
    EXPECT_EQ(key->shapes().front()->backColor(), QColor(Qt::white));
    sendMouse(*key, QEvent::MouseButtonRelease);
    EXPECT_EQ(key->shapes().front()->backColor(), fill);
}

}  // namespace
}  // namespace photara::test
