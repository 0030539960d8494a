#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/link/meter_identity.h"

namespace photara {
namespace {

// A file as cmake generated it for installing, without its comment lines.
std::string generated(const char* path) {
    std::ifstream in(path);
    std::string line, text;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '#') text += line + '\n';
    }
    return text;
}

std::string hex4(std::uint16_t id, const char* format) {
    char text[5];
    std::snprintf(text, sizeof text, format, id);
    return text;
}

struct GeneratedPart {
    const char* name;
    const char* file;
    std::string text;
};

class GeneratedIdentityTest : public ::testing::TestWithParam<GeneratedPart> {};

// The program, the udev rule and the metainfo name the meter from one build setting.
// udev compares sysfs attributes as text: idVendor and idProduct are four lowercase hex
// digits, so "16C0" or "5df" would never match the meter; modaliases carry uppercase.
TEST_P(GeneratedIdentityTest, ContainsPart) {
    const std::string text = generated(GetParam().file);
    ASSERT_FALSE(text.empty()) << GetParam().file;
    EXPECT_NE(text.find(GetParam().text), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Parts, GeneratedIdentityTest,
    ::testing::Values(
        GeneratedPart{"RuleHidrawNodeOnly", PHOTARA_UDEV_RULE, "SUBSYSTEM==\"hidraw\""},
        GeneratedPart{"RuleVendor", PHOTARA_UDEV_RULE,
                      "ATTRS{idVendor}==\"" + hex4(kMeterVendorId, "%04x") + "\""},
        GeneratedPart{"RuleProduct", PHOTARA_UDEV_RULE,
                      "ATTRS{idProduct}==\"" + hex4(kMeterProductId, "%04x") + "\""},
        GeneratedPart{"RuleSeatAccess", PHOTARA_UDEV_RULE, "TAG+=\"uaccess\""},
        GeneratedPart{"MetainfoModalias", PHOTARA_METAINFO,
                      "<modalias>usb:v" + hex4(kMeterVendorId, "%04X") + "p" +
                          hex4(kMeterProductId, "%04X") + "*</modalias>"}),
    [](const ::testing::TestParamInfo<GeneratedPart>& p) { return p.param.name; });

// The uaccess tag is turned into an ACL by 73-seat-late.rules: a rule sorting after it
// would tag the node too late.
TEST(UdevRule, SortsBeforeTheRuleThatActsOnTheTag) {
    const std::string name = std::filesystem::path(PHOTARA_UDEV_RULE).filename().string();
    EXPECT_LT(name, std::string("73-seat-late.rules"));
    EXPECT_EQ(name.substr(name.size() - 6), ".rules");
}

}  // namespace
}  // namespace photara
