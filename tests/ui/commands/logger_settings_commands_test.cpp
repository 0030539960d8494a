#include <gtest/gtest.h>

#include "commands/logger_messages.h"
#include "meter/settings_ops.h"
#include "ui/logger/logger_rig.h"

namespace photara {
namespace {

using test::LoggerRig;

struct IntvCase {
    std::vector<std::optional<QString>> typed;
    int formatMessages;
    std::optional<int> sent;
};

class IntvTest : public ::testing::TestWithParam<IntvCase> {
  protected:
    void SetUp() override {
        rig.connect();
        // The meter samples every 90 s.
        ASSERT_TRUE(setSamplingTime(rig.link, 90));
        rig.connect();
    }
    LoggerRig rig;
};

TEST_P(IntvTest, AsksUntilValidThenSendsTheSeconds) {
    for (const auto& answer : GetParam().typed) rig.prompts.answerInput(answer);
    rig.commands->runIntv();

    const auto& questions = rig.prompts.inputQuestions();
    ASSERT_EQ(questions.size(), GetParam().typed.size());
    for (const auto& q : questions) {
        EXPECT_EQ(q.title, "Input Sampling Time");
        EXPECT_EQ(q.prompt, "Enter the SAMPLING TIME\r\n00:00:01 <= hh:nn:ss <= 01:00:00");
        EXPECT_EQ(q.defaultAnswer, "00:01:30");
    }
    EXPECT_EQ(static_cast<int>(rig.prompts.messages().size()), GetParam().formatMessages);
    for (const auto& m : rig.prompts.messages()) {
        EXPECT_EQ(m.text, "Invalid, comply with the data format properly\r\n");
        EXPECT_EQ(m.icon, Prompts::Icon::Critical);
    }
    EXPECT_EQ(rig.backend.count(24), GetParam().sent ? 1 : 0);
    if (GetParam().sent) {
        const Report& set = rig.backend.written.back();
        EXPECT_EQ(set[2], 24);
        EXPECT_EQ(set[3] * 256 + set[4], *GetParam().sent);
        EXPECT_EQ(rig.meter.settings().samplingSeconds, *GetParam().sent);
    }
    for (const auto& m : rig.moments) {
        EXPECT_FALSE(m.pollRunning);
        EXPECT_TRUE(m.statusRunning);
    }
    EXPECT_TRUE(rig.timersRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, IntvTest,
    ::testing::Values(IntvCase{{"00:01:30"}, 0, 90}, IntvCase{{"01:00:00"}, 0, 3600},
                      IntvCase{{"00:70:00"}, 0, 3600}, IntvCase{{"0:30"}, 0, 30},
                      IntvCase{{"12", "0:30"}, 1, 30},
                      IntvCase{{"02:00:00", "00:00:00", "00:-5:00", "00:00:05"}, 0, 5},
                      IntvCase{{"12", "x", std::nullopt}, 2, std::nullopt},
                      IntvCase{{""}, 0, std::nullopt}, IntvCase{{std::nullopt}, 0, std::nullopt}));

struct PeriodCase {
    std::optional<QString> typed;
    std::optional<int> sent;
};

class RecSetupTest : public ::testing::TestWithParam<PeriodCase> {
  protected:
    void SetUp() override {
        rig.connect();  // the meter's recording period is 600 s
    }
    LoggerRig rig;
};

TEST_P(RecSetupTest, ClampsAndSendsThePeriod) {
    rig.prompts.answerInput(GetParam().typed);
    rig.commands->runRecSetup();
    ASSERT_EQ(rig.prompts.inputQuestions().size(), 1u);
    EXPECT_EQ(rig.prompts.inputQuestions()[0].title, "Recording Period");
    EXPECT_EQ(rig.prompts.inputQuestions()[0].prompt,
              "Enter the Recording Period in seconds\r\n(1 <= t <= 9999 ) ");
    EXPECT_EQ(rig.prompts.inputQuestions()[0].defaultAnswer, "600");
    EXPECT_EQ(rig.backend.count(9), GetParam().sent ? 1 : 0);
    if (GetParam().sent) {
        const Report& set = rig.backend.written.back();
        EXPECT_EQ(set[3] * 256 + set[4], *GetParam().sent);
    }
    for (const auto& m : rig.moments) {
        EXPECT_FALSE(m.pollRunning);
        EXPECT_FALSE(m.statusRunning);
    }
    EXPECT_TRUE(rig.timersRunning());
}

INSTANTIATE_TEST_SUITE_P(Answers, RecSetupTest,
                         ::testing::Values(PeriodCase{"0", 1}, PeriodCase{"-5", 1},
                                           PeriodCase{"10000", 9999}, PeriodCase{"60.9", 60},
                                           PeriodCase{"300", 300}, PeriodCase{"abc", 1},
                                           PeriodCase{"", std::nullopt},
                                           PeriodCase{std::nullopt, std::nullopt}));

// Intv, RecSetup, RTC and Erase refuse a recording meter or a missing one, silently.
struct GuardCase {
    const char* command;
    std::optional<Element> lit;  // nullopt: not connected
};

class SettingsGuardTest : public ::testing::TestWithParam<GuardCase> {};

TEST_P(SettingsGuardTest, BusyOrAbsentMeterIsNotAsked) {
    LoggerRig rig;
    rig.addSets(2);
    if (GetParam().lit) {
        rig.connect();
        rig.display.set(*GetParam().lit, true);
    }
    bool windowShown = false;
    rig.commands->setModalRunner([&](SetupWindow&) { windowShown = true; });
    const std::string command = GetParam().command;
    if (command == "Intv") rig.commands->runIntv();
    if (command == "RecSetup") rig.commands->runRecSetup();
    if (command == "RTC") rig.commands->runRtc();
    if (command == "Erase") rig.commands->runErase();
    EXPECT_TRUE(rig.backend.written.empty());
    EXPECT_TRUE(rig.prompts.inputQuestions().empty());
    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_FALSE(windowShown);
    EXPECT_TRUE(rig.timersRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SettingsGuardTest,
    ::testing::Values(GuardCase{"Intv", Element::LblREC}, GuardCase{"Intv", Element::LblAMRA},
                      GuardCase{"Intv", std::nullopt}, GuardCase{"RecSetup", Element::LblREC},
                      GuardCase{"RecSetup", Element::LblAMRA}, GuardCase{"RecSetup", std::nullopt},
                      GuardCase{"RTC", Element::LblREC}, GuardCase{"RTC", Element::LblAMRA},
                      GuardCase{"RTC", std::nullopt}, GuardCase{"Erase", std::nullopt}));

// The meter goes away while the user types: the value is not dropped silently; the user is
// told, and the meter got nothing.
class SettingLostMeter : public ::testing::TestWithParam<bool> {};

TEST_P(SettingLostMeter, TellsTheUserInsteadOfDroppingTheValue) {
    const bool intv = GetParam();
    LoggerRig rig;
    rig.connect();
    const auto before = rig.meter.settings();
    rig.prompts.answerInput(intv ? QStringLiteral("00:00:30") : QStringLiteral("60"));
    rig.prompts.onInput([&rig] {
        rig.simBackend.unplug();
        rig.simBackend.replug();  // back, but the handle the link holds is gone
    });
    if (intv)
        rig.commands->runIntv();
    else
        rig.commands->runRecSetup();

    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, kMeterStoppedAnswering);
    EXPECT_EQ(rig.meter.settings().samplingSeconds, before.samplingSeconds);
    EXPECT_EQ(rig.meter.settings().recordingPeriod, before.recordingPeriod);
    EXPECT_TRUE(rig.timersRunning());
}

INSTANTIATE_TEST_SUITE_P(Commands, SettingLostMeter, ::testing::Bool(),
                         [](const auto& p) { return std::string(p.param ? "Intv" : "RecSetup"); });

}  // namespace
}  // namespace photara
