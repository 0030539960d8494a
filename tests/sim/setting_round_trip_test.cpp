// The virtual meter's blink codes and the panel's blink decoding were written apart: walking
// the meter's whole setting round through the poll shows that each item makes the panel
// blink exactly the elements that item edits.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/meter/poll_tick.h"
#include "sim/key_codes.h"
#include "sim/setting_menu.h"
#include "sim_fixture.h"

namespace photara::sim::test {
namespace {

using enum Element;
using Item = SettingMenu::Item;

struct RoundItem {
    Item item;
    std::set<Element> blinking;
    bool changeFirst = false;  // press TIME first, to show the value that blinks
};

// The meter starts at about 126 cd/m2 (no K), auto range, APO on, backlight 30 s, time hold
// off, record until the memory is full.
const std::vector<RoundItem> kRound = {
    {Item::Unit, {Lblcd, LblSlashm, Lbl2}},
    {Item::RangePoint, {LblP1, LblP2, LblP3}},
    {Item::AutoPowerOff, {LblSeg11, LblSeg12, LblSeg13}},
    {Item::Backlight, {LblSeg12, LblSeg13}},
    {Item::TimeHold, {LblTH, LblSeg11, LblSeg12, LblSeg13}},
    {Item::Caf, {LblSeg4}},
    {Item::Ccf, {LblSeg10, LblSeg11, LblSeg12, LblSeg13}},
    {Item::HighLimit, {ImgUp}},
    {Item::LowLimit, {ImgDown}},
    {Item::RecordMode, {LblAMRM}, true},
    {Item::SamplingTime, {LblSeg10, LblSeg11, LblSeg12, LblSeg13}},
    {Item::RecordingPeriod, {LblCycle}},
    {Item::Year, {LblSeg8, LblSeg9}},
    {Item::Month, {LblSeg10, LblSeg11}},
    {Item::Day, {LblSeg12, LblSeg13}},
    {Item::Hour, {LblSeg8, LblSeg9}},
    {Item::Minute, {LblSeg10, LblSeg11}},
    {Item::Second, {LblSeg12, LblSeg13}},
    {Item::ClearMemory, {LblSeg11, LblSeg12, LblSeg13}},
};

struct PolledPanel {
    LinkedMeter m;
    DisplayState state;
    DisplayModel model;
    PollTick tick{m.link, state, model};

    void press(Key key) { m.press(static_cast<std::uint8_t>(key)); }

    // The elements whose visibility flips from one tick to the next, once the item's first
    // tick has shown them.
    std::set<Element> blinking() {
        (void)tick.run();
        (void)tick.run();
        DisplayModel before = model;
        (void)tick.run();
        std::set<Element> flipped;
        for (std::size_t i = 0; i < kElementCount; ++i) {
            const auto e = static_cast<Element>(i);
            if (model.visible(e) != before.visible(e)) flipped.insert(e);
        }
        return flipped;
    }
};

std::string names(const std::set<Element>& elements) {
    std::string text;
    for (const Element e : elements) text += std::string(elementName(e)) + " ";
    return text;
}

TEST(SettingRoundTrip, EveryItemBlinksTheElementsItEdits) {
    ASSERT_EQ(kRound.size(), static_cast<std::size_t>(SettingMenu::kItemCount));
    PolledPanel panel;
    panel.press(Key::Set);
    for (const RoundItem& row : kRound) {
        ASSERT_EQ(panel.m.meter.panel().menu().item(), row.item);
        if (row.changeFirst) panel.press(Key::Time);
        const std::set<Element> blinking = panel.blinking();
        EXPECT_TRUE(panel.state[LblSET]);
        EXPECT_EQ(names(blinking), names(row.blinking))
            << "item " << static_cast<int>(row.item);
        panel.press(Key::Enter);
    }
    // The round is over: SET goes out and nothing blinks any more.
    EXPECT_TRUE(panel.blinking().empty());
    EXPECT_FALSE(panel.state[LblSET]);
}

}  // namespace
}  // namespace photara::sim::test
