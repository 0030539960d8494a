// The guards every front end asks before a command: each refuses for the first reason that
// applies (no meter, then the lit annunciator that forbids it), a download only for a logger
// recording, and the sentence names the lit legend as the display shows it.
#include "core/meter/guards.h"

#include <gtest/gtest.h>

#include <vector>

namespace photara {
namespace {

enum class Guard { Settings, Memory, Download };

struct GuardCase {
    const char* name;
    Guard guard;
    bool connected;
    std::vector<Element> lit;
    std::optional<Refusal> refusal;
};

class GuardTest : public ::testing::TestWithParam<GuardCase> {};

TEST_P(GuardTest, RefusesForTheFirstReasonThatApplies) {
    const GuardCase& c = GetParam();
    DisplayState display;
    for (const Element e : c.lit) display.set(e, true);
    const std::optional<Refusal> refusal =
        c.guard == Guard::Settings ? refuseSettings(c.connected, display)
        : c.guard == Guard::Memory ? refuseMemory(c.connected, display)
                                   : refuseDownload(display);
    EXPECT_EQ(refusal, c.refusal);
}

constexpr auto kBusy = Refusal::Reason::Busy;

INSTANTIATE_TEST_SUITE_P(
    Guards, GuardTest,
    ::testing::Values(
        GuardCase{"SettingsNoMeter", Guard::Settings, false, {}, Refusal{}},
        GuardCase{"SettingsFree", Guard::Settings, true, {Element::LblSET, Element::LblMx}, {}},
        GuardCase{"SettingsRecording", Guard::Settings, true, {Element::LblREC},
                  Refusal{kBusy, Element::LblREC}},
        GuardCase{"SettingsRecordingToMemory", Guard::Settings, true, {Element::LblAMRA},
                  Refusal{kBusy, Element::LblAMRA}},
        GuardCase{"MemoryNoMeterBeforeModes", Guard::Memory, false, {Element::LblREC}, Refusal{}},
        GuardCase{"MemoryInSetting", Guard::Memory, true, {Element::LblSET},
                  Refusal{kBusy, Element::LblSET}},
        GuardCase{"MemoryAverage", Guard::Memory, true, {Element::LblAVG1},
                  Refusal{kBusy, Element::LblAVG1}},
        GuardCase{"MemoryDelta", Guard::Memory, true, {Element::ImaDelta},
                  Refusal{kBusy, Element::ImaDelta}},
        GuardCase{"MemoryHoldIsFree", Guard::Memory, true, {Element::LblH, Element::LblRH}, {}},
        GuardCase{"DownloadWithoutMeterIsTheTransfersBusiness", Guard::Download, false, {}, {}},
        GuardCase{"DownloadInSetting", Guard::Download, true, {Element::LblSET}, {}},
        GuardCase{"DownloadRecording", Guard::Download, true, {Element::LblAMRA},
                  Refusal{kBusy, Element::LblAMRA}}),
    [](const ::testing::TestParamInfo<GuardCase>& p) { return p.param.name; });

TEST(RefusalText, NamesTheLitLegend) {
    EXPECT_EQ(refusalText(Refusal{}), "no meter is connected");
    EXPECT_EQ(refusalText(Refusal{kBusy, Element::LblREC}),
              "the meter's logger is recording (REC is lit)");
    EXPECT_EQ(refusalText(Refusal{kBusy, Element::LblPercentA}),
              "the meter is in a measuring or setting mode (%A is lit)");
    // The AMR group's A is no memory A: the GUI and photara-cli both name it by its group.
    EXPECT_EQ(refusalText(Refusal{kBusy, Element::LblAMRA}),
              "the meter's logger is recording (AMR-A is lit)");
    EXPECT_EQ(refusalText(Refusal{kBusy, Element::LblAMRM}),
              "the meter is in a measuring or setting mode (AMR-M is lit)");
}

}  // namespace
}  // namespace photara
