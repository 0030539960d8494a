#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/meter_identity.h"

namespace photara {
namespace {

// The rule as cmake generated it for installing.
std::string ruleLine() {
    std::ifstream in(PHOTARA_UDEV_RULE);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '#') return line;
    }
    return {};
}

std::string lowerHex4(std::uint16_t id) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

struct RulePart {
    const char* name;
    std::string text;
};

class UdevRuleTest : public ::testing::TestWithParam<RulePart> {};

// udev compares sysfs attributes as text: idVendor and idProduct are four lowercase hex
// digits, so "16C0" or "5df" would never match the meter.
TEST_P(UdevRuleTest, ContainsPart) {
    const std::string rule = ruleLine();
    ASSERT_FALSE(rule.empty()) << PHOTARA_UDEV_RULE;
    EXPECT_NE(rule.find(GetParam().text), std::string::npos) << rule;
}

INSTANTIATE_TEST_SUITE_P(
    Parts, UdevRuleTest,
    ::testing::Values(RulePart{"HidrawNodeOnly", "SUBSYSTEM==\"hidraw\""},
                      RulePart{"Vendor", "ATTRS{idVendor}==\"" + lowerHex4(kMeterVendorId) + "\""},
                      RulePart{"Product",
                               "ATTRS{idProduct}==\"" + lowerHex4(kMeterProductId) + "\""},
                      RulePart{"SeatAccess", "TAG+=\"uaccess\""}),
    [](const ::testing::TestParamInfo<RulePart>& p) { return p.param.name; });

// The uaccess tag is turned into an ACL by 73-seat-late.rules: a rule sorting after it
// would tag the node too late.
TEST(UdevRule, SortsBeforeTheRuleThatActsOnTheTag) {
    const std::string name = std::filesystem::path(PHOTARA_UDEV_RULE).filename().string();
    EXPECT_LT(name, std::string("73-seat-late.rules"));
    EXPECT_EQ(name.substr(name.size() - 6), ".rules");
}

}  // namespace
}  // namespace photara
