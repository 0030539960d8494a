#include <gtest/gtest.h>

#include "ui/commands/logger_messages.h"
#include "core/meter/settings_ops.h"
#include "ui/logger/logger_rig.h"

namespace photara {
namespace {

using test::LoggerRig;

// The question's default answer: the meter's value first, then the answer just refused,
// for editing.
void expectDefaults(const std::vector<test::ScriptedPrompts::InputQuestion>& questions,
                    const QString& first, const std::vector<std::optional<QString>>& typed) {
    for (std::size_t i = 0; i < questions.size(); ++i)
        EXPECT_EQ(questions[i].defaultAnswer, i == 0 ? first : typed[i - 1].value_or(""));
}

int messagesContaining(const test::ScriptedPrompts& prompts, const QString& part) {
    int n = 0;
    for (const auto& m : prompts.messages())
        if (m.text.contains(part) && m.icon == Prompts::Icon::Critical) ++n;
    return n;
}

struct IntvCase {
    std::vector<std::optional<QString>> typed;
    int formatMessages;
    int rangeMessages;  // what was read and the range: nothing cut or sent silently
    std::optional<int> sent;
};

class IntvTest : public ::testing::TestWithParam<IntvCase> {
  protected:
    void SetUp() override {
        rig.connect();
        // The meter samples every 90 s.
        ASSERT_TRUE(rig.session.await(rig.session.core().setSamplingTime(90)));
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
    }
    expectDefaults(questions, "00:01:30", GetParam().typed);
    EXPECT_EQ(messagesContaining(rig.prompts, "Invalid, comply with the data format properly\r\n"),
              GetParam().formatMessages);
    EXPECT_EQ(messagesContaining(rig.prompts, "must lie between 00:00:01 and 01:00:00"),
              GetParam().rangeMessages);
    EXPECT_EQ(static_cast<int>(rig.prompts.messages().size()),
              GetParam().formatMessages + GetParam().rangeMessages);
    EXPECT_EQ(rig.backend.count(24), GetParam().sent ? 1 : 0);
    if (GetParam().sent) {
        const Report& set = rig.backend.written.back();
        EXPECT_EQ(set[2], 24);
        EXPECT_EQ(set[3] * 256 + set[4], *GetParam().sent);
        EXPECT_EQ(rig.meter.settings().samplingSeconds, *GetParam().sent);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, IntvTest,
    ::testing::Values(IntvCase{{"00:01:30"}, 0, 0, 90}, IntvCase{{"01:00:00"}, 0, 0, 3600},
                      IntvCase{{"0:30"}, 0, 0, 30}, IntvCase{{"12", "0:30"}, 1, 0, 30},
                      IntvCase{{"00:70:00", std::nullopt}, 0, 1, std::nullopt},
                      IntvCase{{"1:30", "0:30"}, 0, 1, 30},
                      IntvCase{{"02:00:00", "00:00:00", "-1:00:00", "00:00:05"}, 0, 3, 5},
                      IntvCase{{"12", "x", std::nullopt}, 2, 0, std::nullopt},
                      IntvCase{{""}, 0, 0, std::nullopt},
                      IntvCase{{std::nullopt}, 0, 0, std::nullopt}));

struct PeriodCase {
    std::vector<std::optional<QString>> typed;
    int refusals;  // each with the range, then asked again
    std::optional<int> sent;
};

class RecSetupTest : public ::testing::TestWithParam<PeriodCase> {
  protected:
    void SetUp() override {
        rig.connect();  // the meter's recording period is 600 s
    }
    LoggerRig rig;
};

TEST_P(RecSetupTest, SendsOnlyAWholeNumberWithinTheRange) {
    for (const auto& answer : GetParam().typed) rig.prompts.answerInput(answer);
    rig.commands->runRecSetup();
    const auto& questions = rig.prompts.inputQuestions();
    ASSERT_EQ(questions.size(), GetParam().typed.size());
    for (const auto& q : questions) {
        EXPECT_EQ(q.title, "Recording Period");
        EXPECT_EQ(q.prompt, "Enter the Recording Period in seconds\r\n(1 <= t <= 9999 ) ");
    }
    expectDefaults(questions, "600", GetParam().typed);
    EXPECT_EQ(messagesContaining(rig.prompts, "whole number of seconds from 1 to 9999"),
              GetParam().refusals);
    EXPECT_EQ(static_cast<int>(rig.prompts.messages().size()), GetParam().refusals);
    EXPECT_EQ(rig.backend.count(9), GetParam().sent ? 1 : 0);
    if (GetParam().sent) {
        // Polls run while the question is open: the period is read again right before the
        // set, or the meter would take the set request for the MEM key.
        const auto& written = rig.backend.written;
        ASSERT_GE(written.size(), 2u);
        EXPECT_EQ(written[written.size() - 2][2], 13);
        const Report& set = written.back();
        EXPECT_EQ(set[2], 9);
        EXPECT_EQ(set[3] * 256 + set[4], *GetParam().sent);
        EXPECT_EQ(rig.meter.settings().recordingPeriod, *GetParam().sent);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, RecSetupTest,
                         ::testing::Values(PeriodCase{{"300"}, 0, 300}, PeriodCase{{"60.9"}, 0, 60},
                                           PeriodCase{{"0", std::nullopt}, 1, std::nullopt},
                                           PeriodCase{{"-5", "10000", "9999"}, 2, 9999},
                                           PeriodCase{{"abc", "12abc", "1"}, 2, 1},
                                           PeriodCase{{""}, 0, std::nullopt},
                                           PeriodCase{{std::nullopt}, 0, std::nullopt}));

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
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SettingsGuardTest,
    ::testing::Values(GuardCase{"Intv", Element::LblREC}, GuardCase{"Intv", Element::LblAMRA},
                      GuardCase{"Intv", std::nullopt}, GuardCase{"RecSetup", Element::LblREC},
                      GuardCase{"RecSetup", Element::LblAMRA}, GuardCase{"RecSetup", std::nullopt},
                      GuardCase{"RTC", Element::LblREC}, GuardCase{"RTC", Element::LblAMRA},
                      GuardCase{"RTC", std::nullopt}, GuardCase{"Erase", std::nullopt}));

// The meter goes away and comes back while the user types: the value is never dropped
// silently. The sampling time, sent write-only on the handle that is gone, is told as not
// sent; the recording period is read again first, which finds the meter back, and is set.
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

    if (intv) {
        ASSERT_EQ(rig.prompts.messages().size(), 1u);
        EXPECT_EQ(rig.prompts.messages()[0].text, kMeterStoppedAnswering);
        EXPECT_EQ(rig.meter.settings().samplingSeconds, before.samplingSeconds);
    } else {
        EXPECT_TRUE(rig.prompts.messages().empty());
        EXPECT_EQ(rig.meter.settings().recordingPeriod, 60);
        EXPECT_EQ(rig.statusLine.text(), QStringLiteral("Recording period set to 60 s"));
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, SettingLostMeter, ::testing::Bool(),
                         [](const auto& p) { return std::string(p.param ? "Intv" : "RecSetup"); });

}  // namespace
}  // namespace photara
