#include "app/options.h"

#include <QCommandLineParser>

namespace photara {
namespace {

// The options QApplication takes from the command line, hidden from our help.
QList<QCommandLineOption> qtOptions() {
    QList<QCommandLineOption> list;
    for (const char* withValue :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "display", "geometry", "style", "stylesheet", "session",
          "name", "title", "visual", "ncols", "im", "inputstyle"}) {
        QCommandLineOption option(QString::fromLatin1(withValue), QString(),
                                  QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        list.append(option);
    }
    for (const char* flag : {"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap"}) {
        QCommandLineOption option(QString::fromLatin1(flag));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        list.append(option);
    }
    return list;
}

}  // namespace

Options parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Photara mirrors a handheld luminance meter's display, operates its keys and manages "
        "its data logger."));
    // Single-dash words are Qt's own options (-platform offscreen, -style Fusion): read them
    // as long options so that they pass through to QApplication, which takes them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption& qtOption : qtOptions()) parser.addOption(qtOption);
    // Our own help option: Qt's adds a --help-all for Qt options that needs the application
    // object, which help and version do without (they need no display).
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays help on commandline options."));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption virtualMeter(
        QStringLiteral("virtual-meter"),
        QStringLiteral("Talk to a virtual meter inside the program instead of a USB meter."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the panel as PNG once the meter's first display "
                       "report is shown, then exit."),
        QStringLiteral("file"));
    const QCommandLineOption meterId(
        QStringLiteral("meter-id"),
        QStringLiteral("Look for the USB meter with these vendor and product ids, as lsusb "
                       "shows them (built-in: %1).")
            .arg(QString::fromStdString(meterIdText(MeterId{}))),
        QStringLiteral("vvvv:pppp"));
    parser.addOption(virtualMeter);
    parser.addOption(screenshot);
    parser.addOption(meterId);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A data file (.pxd) to open at start."),
                                 QStringLiteral("[file]"));

    Options options;
    if (!parser.parse(arguments)) {
        options.action = Options::Action::Fail;
        options.text = parser.errorText();
        return options;
    }
    if (parser.isSet(helpOption)) {
        options.action = Options::Action::ShowHelp;
        // Without an application object yet Qt cannot know the program's name, and under
        // another program (the tests) it would name that one.
        options.text = parser.helpText();
        const qsizetype nameEnd = options.text.indexOf(QStringLiteral(" [options]"));
        if (options.text.startsWith(QStringLiteral("Usage: ")) && nameEnd > 0)
            options.text.replace(7, nameEnd - 7, QStringLiteral("photara"));
        return options;
    }
    if (parser.isSet(versionOption)) {
        options.action = Options::Action::ShowVersion;
        options.text = QStringLiteral("Photara %1").arg(QStringLiteral(PHOTARA_VERSION));
        return options;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        options.action = Options::Action::Fail;
        options.text = QStringLiteral("Unexpected argument: %1").arg(files.at(1));
        return options;
    }
    if (!files.isEmpty()) options.dataFile = files.constFirst();
    options.virtualMeter = parser.isSet(virtualMeter);
    if (parser.isSet(screenshot)) {
        options.screenshotFile = parser.value(screenshot);
        if (options.screenshotFile.isEmpty()) {
            options.action = Options::Action::Fail;
            options.text = QStringLiteral("--screenshot needs a file name.");
        }
    }
    if (parser.isSet(meterId)) {
        const auto id = parseMeterId(parser.value(meterId).toStdString());
        if (!id) {
            options.action = Options::Action::Fail;
            options.text =
                QString::fromStdString(meterIdRefusal(parser.value(meterId).toStdString()));
            return options;
        }
        options.meterId = *id;
    }
    return options;
}

}  // namespace photara
