#include "app/options.h"

#include <gtest/gtest.h>

#include <optional>

namespace photara {
namespace {

struct OptionCase {
    const char* name;
    QStringList arguments;
    Options::Action action;
    bool virtualMeter;
    const char* screenshot;
    const char* dataFile = "";
};

class OptionParsing : public ::testing::TestWithParam<OptionCase> {};

TEST_P(OptionParsing, ReadsTheCommandLine) {
    const OptionCase& c = GetParam();
    const Options options = parseOptions(QStringList{QStringLiteral("photara")} + c.arguments);
    EXPECT_EQ(options.action, c.action);
    if (c.action != Options::Action::Run) {
        EXPECT_FALSE(options.text.isEmpty());
        return;
    }
    EXPECT_EQ(options.virtualMeter, c.virtualMeter);
    EXPECT_EQ(options.screenshotFile, QString::fromLatin1(c.screenshot));
    EXPECT_EQ(options.dataFile, QString::fromLatin1(c.dataFile));
}

using A = Options::Action;
INSTANTIATE_TEST_SUITE_P(
    CommandLines, OptionParsing,
    ::testing::Values(
        OptionCase{"Nothing", {}, A::Run, false, ""},
        OptionCase{"VirtualMeter", {"--virtual-meter"}, A::Run, true, ""},
        OptionCase{"Screenshot", {"--screenshot", "/tmp/p.png"}, A::Run, false, "/tmp/p.png"},
        OptionCase{
            "ScreenshotEquals", {"--screenshot=p.png", "--virtual-meter"}, A::Run, true, "p.png"},
        OptionCase{"ScreenshotWithoutFile", {"--screenshot"}, A::Fail, false, ""},
        OptionCase{"ScreenshotEmptyFile", {"--screenshot="}, A::Fail, false, ""},
        OptionCase{"Unknown", {"--simulate"}, A::Fail, false, ""},
        OptionCase{"DataFile", {"meter.pxd"}, A::Run, false, "", "meter.pxd"},
        OptionCase{"DataFileAfterOptions",
                   {"--virtual-meter", "--", "-odd name.pxd"},
                   A::Run,
                   true,
                   "",
                   "-odd name.pxd"},
        OptionCase{"TwoDataFiles", {"a.pxd", "b.pxd"}, A::Fail, false, ""},
        OptionCase{"Help", {"--help"}, A::ShowHelp, false, ""},
        OptionCase{"ShortHelp", {"-h"}, A::ShowHelp, false, ""},
        OptionCase{"Version", {"--version"}, A::ShowVersion, false, ""},
        OptionCase{"HelpWinsOverOthers", {"--virtual-meter", "--help"}, A::ShowHelp, false, ""},
        OptionCase{"HelpAllIsNotOurs", {"--help-all"}, A::Fail, false, ""},
        OptionCase{"QtPlatformPassesThrough",
                   {"-platform", "offscreen", "--virtual-meter"},
                   A::Run,
                   true,
                   ""},
        OptionCase{
            "QtStyleAndReversePassThrough", {"-style", "Fusion", "-reverse"}, A::Run, false, ""}),
    [](const ::testing::TestParamInfo<OptionCase>& p) { return std::string(p.param.name); });

struct MeterIdCase {
    const char* name;
    QStringList arguments;
    std::optional<MeterId> id;  // nothing: refused
};

class MeterIdOption : public ::testing::TestWithParam<MeterIdCase> {};

TEST_P(MeterIdOption, ReadsVendorAndProductAsLsusbShowsThem) {
    const MeterIdCase& c = GetParam();
    const Options options = parseOptions(QStringList{QStringLiteral("photara")} + c.arguments);
    if (!c.id) {
        EXPECT_EQ(options.action, Options::Action::Fail);
        EXPECT_TRUE(options.text.contains(QLatin1String("--meter-id"))) << options.text.toStdString();
        return;
    }
    ASSERT_EQ(options.action, Options::Action::Run) << options.text.toStdString();
    EXPECT_EQ(options.meterId.vendorId, c.id->vendorId);
    EXPECT_EQ(options.meterId.productId, c.id->productId);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, MeterIdOption,
    ::testing::Values(
        MeterIdCase{"BuiltInWithoutTheOption", {}, MeterId{kMeterVendorId, kMeterProductId}},
        MeterIdCase{"Lowercase", {"--meter-id", "16c0:05df"}, MeterId{0x16C0, 0x05DF}},
        MeterIdCase{"UppercaseEquals", {"--meter-id=ABCD:EF01"}, MeterId{0xABCD, 0xEF01}},
        MeterIdCase{"ShortDigits", {"--meter-id", "1:2f"}, MeterId{0x0001, 0x002F}},
        MeterIdCase{"NoColon", {"--meter-id", "16c005df"}, std::nullopt},
        MeterIdCase{"FiveDigits", {"--meter-id", "16c00:05df"}, std::nullopt},
        MeterIdCase{"EmptyProduct", {"--meter-id", "16c0:"}, std::nullopt},
        MeterIdCase{"HexPrefix", {"--meter-id", "0x16c0:05df"}, std::nullopt},
        MeterIdCase{"NotHex", {"--meter-id", "16g0:05df"}, std::nullopt},
        MeterIdCase{"Signed", {"--meter-id", "-1:05df"}, std::nullopt},
        MeterIdCase{"ThirdField", {"--meter-id", "16c0:05df:1"}, std::nullopt},
        MeterIdCase{"VendorZero", {"--meter-id", "0000:05df"}, std::nullopt}),
    [](const ::testing::TestParamInfo<MeterIdCase>& p) { return std::string(p.param.name); });

TEST(OptionText, HelpNamesEveryOptionAndVersionTheProjectVersion) {
    const Options help = parseOptions({QStringLiteral("photara"), QStringLiteral("--help")});
    for (const char* option :
         {"--virtual-meter", "--screenshot", "--meter-id", "--help", "--version"})
        EXPECT_TRUE(help.text.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(help.text.startsWith(QStringLiteral("Usage: photara [options]")))
        << help.text.toStdString();
    EXPECT_FALSE(help.text.contains(QLatin1String("platform"))) << "Qt's options stay hidden";
    const Options version = parseOptions({QStringLiteral("photara"), QStringLiteral("--version")});
    EXPECT_EQ(version.text, QStringLiteral("Photara " PHOTARA_VERSION));
}

}  // namespace
}  // namespace photara
