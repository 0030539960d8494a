#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>
#include <functional>
#include <stdexcept>
#include <string>

#include "ui/panel/key_exchange.h"
#include "ui/panel/mem_key.h"
#include "panel_rig.h"

namespace photara::test {
namespace {

// The keypad's keys each send their member index of the control array CmdBtn (Delta/% 26
// while R-H is lit, REF 27 only while the model enables it), all lie wholly inside the
// client area, and MEM held for over three seconds (by the mouse or by Space) sends the
// long-press code instead of its own, measured on the clock's time of day.

// ---- The control array CmdBtn: every key sends its index ------------------------------------

struct MemberCase {
    int index;
    const char* caption;
};

const MemberCase kMembers[] = {
    {5, "H"},    {4, "SET"},     {3, "MX / MN"}, {2, "RANGE"}, {1, "LIGHT"},
    {9, "MEM"},  {10, "READ"},   {15, "CMP"},    {28, "AVG"},  {6, "Delta/%"},
    {11, "A"},   {12, "B"},      {8, "TIME"},    {7, "ENTER"}, {29, "ACC"},
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

    QWidget* face = rig.panel.centralWidget();
    EXPECT_TRUE(face->rect().contains(QRect(button->mapTo(face, QPoint(0, 0)), button->size())))
        << name;

    button->click();
    ASSERT_EQ(rig.sent.size(), 1u);
    EXPECT_EQ(rig.sent[0].code, c.index);
}

INSTANTIATE_TEST_SUITE_P(AllMembers, CmdBtnMember, ::testing::ValuesIn(kMembers));

TEST(CmdBtnArray, HasNoMemberBeyondTheVisibleKeys) {
    PanelRig rig;
    int members = 0;
    for (int index = -1; index <= 32; ++index) members += rig.panel.keypadMember(index) ? 1 : 0;
    EXPECT_EQ(members, 15);
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

// ---- MEM: long press by the clock's time of day ---------------------------------------------

struct HoldCase {
    const char* what;
    LocalDateTime pressed;
    LocalDateTime released;
    std::uint8_t code;
};

enum class HoldBy { Mouse, Space };

class MemHold : public ::testing::TestWithParam<std::tuple<HoldBy, HoldCase>> {};

// Space comes with key repeats in between, as a held key gives them. A short hold is MEM's own
// click (9); a long one sends the long-press code and leaves the key up.
TEST_P(MemHold, ChoosesMemsOwnCodeOrTheLongPress) {
    const auto& [by, c] = GetParam();
    PanelRig rig;
    auto* mem = rig.find<QPushButton>("CmdBtn_9");
    ASSERT_NE(mem, nullptr);
    auto space = [&](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QString(), repeat);
        QCoreApplication::sendEvent(mem, &event);
    };
    rig.clock.set(c.pressed);
    if (by == HoldBy::Mouse) {
        sendMouse(*mem, QEvent::MouseButtonPress);
    } else {
        space(QEvent::KeyPress, false);
        space(QEvent::KeyRelease, true);
        space(QEvent::KeyPress, true);
    }
    rig.clock.set(c.released);
    if (by == HoldBy::Mouse)
        sendMouse(*mem, QEvent::MouseButtonRelease);
    else
        space(QEvent::KeyRelease, false);
    EXPECT_EQ(rig.codes(), std::vector<std::uint8_t>{c.code}) << c.what;
    EXPECT_FALSE(mem->isDown()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Holds, MemHold,
    ::testing::Combine(
        ::testing::Values(HoldBy::Mouse, HoldBy::Space),
        ::testing::Values(
            HoldCase{"two seconds", {2026, 1, 5, 10, 0, 0, 0}, {2026, 1, 5, 10, 0, 2, 0}, 9},
            HoldCase{"three and a half", {2026, 1, 5, 10, 0, 0, 0}, {2026, 1, 5, 10, 0, 3, 500},
                     kMemLongCode},
            HoldCase{"exactly three, odd milliseconds",
                     {2026, 1, 5, 13, 53, 20, 123},
                     {2026, 1, 5, 13, 53, 23, 123},
                     9},
            HoldCase{"one millisecond over",
                     {2026, 1, 5, 23, 0, 0, 999},
                     {2026, 1, 5, 23, 0, 4, 0},
                     kMemLongCode},
            HoldCase{"across midnight", {2026, 1, 5, 23, 59, 59, 0}, {2026, 1, 6, 0, 0, 5, 0},
                     9})));

}  // namespace
}  // namespace photara::test
