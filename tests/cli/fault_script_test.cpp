// The fault script a test gives photara-cli in PHOTARA_CLI_FAULTS: each item form reads as
// one step (what it does, before which poll); an item that is not one refuses the whole
// script, so a typing error in a test never passes as a script that does nothing.
#include <gtest/gtest.h>

#include <string>

#include "cli/fault_script.h"

namespace photara::cli {
namespace {

using Action = FaultScript::Step::Action;

struct StepCase {
    const char* name;
    std::string text;
    Action action;
    long poll;
    int key = 0;    // with Key
    long read = 0;  // with UnplugAtRead
};

class FaultScriptStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(FaultScriptStep, ReadsAsItsAction) {
    const StepCase& c = GetParam();
    const auto script = FaultScript::parse(c.text);
    ASSERT_TRUE(script) << c.text;
    ASSERT_EQ(script->steps.size(), 1u);
    const FaultScript::Step& step = script->steps[0];
    EXPECT_EQ(step.action, c.action);
    EXPECT_EQ(step.poll, c.poll);
    EXPECT_EQ(step.key, c.key);
    EXPECT_EQ(step.read, c.read);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FaultScriptStep,
    ::testing::Values(StepCase{"Unplug", "unplug@5", Action::Unplug, 5},
                      StepCase{"Replug", "replug@9", Action::Replug, 9},
                      StepCase{"Silent", "silent@3", Action::Silent, 3},
                      StepCase{"Awake", "awake@4", Action::Awake, 4},
                      StepCase{"KeyMem", "key9@1", Action::Key, 1, 9},
                      StepCase{"KeyZero", "key0@2", Action::Key, 2, 0},
                      StepCase{"KeyHighest", "key255@7", Action::Key, 7, 255},
                      StepCase{"UnplugAtRead", "unplugread12@1", Action::UnplugAtRead, 1, 0, 12},
                      StepCase{"UnplugAtFirstRead", "unplugread1@30", Action::UnplugAtRead, 30,
                               0, 1}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FaultScript, KeepsTheStepsInTheirOrder) {
    const auto script = FaultScript::parse("silent@3,key9@1,awake@4");
    ASSERT_TRUE(script);
    ASSERT_EQ(script->steps.size(), 3u);
    EXPECT_EQ(script->steps[0].action, Action::Silent);
    EXPECT_EQ(script->steps[1].action, Action::Key);
    EXPECT_EQ(script->steps[2].action, Action::Awake);
}

struct BadCase {
    const char* name;
    std::string text;
};

class FaultScriptRefusal : public ::testing::TestWithParam<BadCase> {};

TEST_P(FaultScriptRefusal, RefusesTheWholeScript) {
    EXPECT_FALSE(FaultScript::parse("unplug@1," + GetParam().text)) << GetParam().text;
    EXPECT_FALSE(FaultScript::parse(GetParam().text)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Items, FaultScriptRefusal,
    ::testing::Values(BadCase{"NoAt", "unplug"}, BadCase{"NoPoll", "unplug@"},
                      BadCase{"PollZero", "unplug@0"}, BadCase{"PollNegative", "replug@-2"},
                      BadCase{"TextAfterThePoll", "unplug@5x"},
                      BadCase{"UnknownWord", "boom@1"}, BadCase{"WordCase", "Unplug@1"},
                      BadCase{"WordWithMore", "unplugged@1"}, BadCase{"KeyWithoutCode", "key@1"},
                      BadCase{"KeyBeyondAByte", "key256@1"}, BadCase{"KeyNegative", "key-1@1"},
                      BadCase{"KeyCodeWithText", "key9x@1"},
                      BadCase{"ReadZero", "unplugread0@1"},
                      BadCase{"ReadWithoutNumber", "unplugread@1"},
                      BadCase{"EmptyItem", ",unplug@2"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace photara::cli
