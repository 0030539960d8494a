#include "options.h"

#include <QCommandLineParser>

namespace photara {

Options parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Photara mirrors a handheld luminance meter's display, operates its keys and manages "
        "its data logger."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption virtualMeter(
        QStringLiteral("virtual-meter"),
        QStringLiteral("Talk to a virtual meter inside the program instead of a USB meter."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the panel as PNG once the meter's first display "
                       "report is shown, then exit."),
        QStringLiteral("file"));
    parser.addOption(virtualMeter);
    parser.addOption(screenshot);

    Options options;
    if (!parser.parse(arguments)) {
        options.action = Options::Action::Fail;
        options.text = parser.errorText();
        return options;
    }
    if (parser.isSet(helpOption)) {
        options.action = Options::Action::ShowHelp;
        options.text = parser.helpText();
        return options;
    }
    if (parser.isSet(versionOption)) {
        options.action = Options::Action::ShowVersion;
        options.text = QStringLiteral("Photara %1").arg(QStringLiteral(PHOTARA_VERSION));
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.action = Options::Action::Fail;
        options.text = QStringLiteral("Unexpected argument: %1")
                           .arg(parser.positionalArguments().constFirst());
        return options;
    }
    options.virtualMeter = parser.isSet(virtualMeter);
    if (parser.isSet(screenshot)) {
        options.screenshotFile = parser.value(screenshot);
        if (options.screenshotFile.isEmpty()) {
            options.action = Options::Action::Fail;
            options.text = QStringLiteral("--screenshot needs a file name.");
        }
    }
    return options;
}

}  // namespace photara
