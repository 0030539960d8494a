#include "options.h"

#include <gtest/gtest.h>

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

TEST(OptionText, HelpNamesEveryOptionAndVersionTheProjectVersion) {
    const Options help = parseOptions({QStringLiteral("photara"), QStringLiteral("--help")});
    for (const char* option : {"--virtual-meter", "--screenshot", "--help", "--version"})
        EXPECT_TRUE(help.text.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(help.text.startsWith(QStringLiteral("Usage: photara [options]")))
        << help.text.toStdString();
    EXPECT_FALSE(help.text.contains(QLatin1String("platform"))) << "Qt's options stay hidden";
    const Options version = parseOptions({QStringLiteral("photara"), QStringLiteral("--version")});
    EXPECT_EQ(version.text, QStringLiteral("Photara " PHOTARA_VERSION));
}

}  // namespace
}  // namespace photara
