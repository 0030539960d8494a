#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <optional>

#include "ui/base/accessible_tree.h"
#include "ui/commands/open_command.h"
#include "app/options.h"
#include "app/photara_app.h"
#include "app/screenshot.h"
#include "app/single_instance.h"

namespace {

void print(FILE* stream, const QString& text) {
    std::fputs(qPrintable(text), stream);
    if (!text.endsWith(QLatin1Char('\n'))) std::fputc('\n', stream);
}

QStringList argumentList(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// A refusal the user sees: a message box when there is a screen to show it on, and always
// the same words on stderr.
void refuse(const QString& text, bool interactive) {
    print(stderr, QStringLiteral("photara: ") + text);
    if (interactive) QMessageBox::critical(nullptr, QStringLiteral("Photara"), text);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Photara"));
    // Where the remembered folders and recent files are kept (~/.config/Photara).
    QCoreApplication::setOrganizationName(QStringLiteral("Photara"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PHOTARA_VERSION));
    // The desktop file's id: lets a Wayland compositor match the windows to the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.photara.Photara"));

    // Help and version need no display, so the options are read before the GUI starts.
    const photara::Options options = photara::parseOptions(argumentList(argc, argv));
    switch (options.action) {
        case photara::Options::Action::ShowHelp:
        case photara::Options::Action::ShowVersion:
            print(stdout, options.text);
            return 0;
        case photara::Options::Action::Fail:
            print(stderr, QStringLiteral("photara: ") + options.text);
            print(stderr, QStringLiteral("Try 'photara --help'."));
            return 2;
        case photara::Options::Action::Run:
            break;
    }

    QApplication app(argc, argv);
    photara::installAccessibleTree();  // before the first window: what a screen reader meets
    // No display name: Qt would append it to every window's title, and the windows carry
    // the meter's own captions ("Panel   V10.02", "Data Logger") as they stand.
    const bool interactive = options.screenshotFile.isEmpty() &&
                             QGuiApplication::platformName() != QLatin1String("offscreen");

    photara::SingleInstance instance;
    photara::FileHandoff handoff;
    if (const auto outcome = instance.acquire();
        outcome != photara::SingleInstance::Outcome::Acquired) {
        // A file opened from the file manager goes to the Photara already running.
        if (outcome == photara::SingleInstance::Outcome::AlreadyRunning &&
            !options.dataFile.isEmpty() && handoff.handOver(options.dataFile))
            return 0;
        refuse(instance.refusalMessage(outcome), interactive);
        return 1;
    }

    if (!options.virtualMeter && !photara::usbAvailable()) {
        refuse(QStringLiteral("This build of Photara has no USB support; start it with "
                              "--virtual-meter."),
               interactive);
        return 1;
    }

    photara::PhotaraApp photara(options.virtualMeter, options.meterId);
    std::optional<photara::FirstReportScreenshot> screenshot;
    if (!options.screenshotFile.isEmpty())
        screenshot.emplace(photara.panel(), photara.meter(), options.screenshotFile);
    photara.start();
    // A file named on the command line (a file manager's double click) opens as Open would,
    // once the panel stands where the plot is placed beside it.
    if (!options.dataFile.isEmpty())
        QTimer::singleShot(0, &photara.panel(), [&photara, file = options.dataFile] {
            photara::openDataFile(photara.context(), photara.views(), file);
        });
    // Files a second Photara hands over open the same way, and bring Photara to the front.
    handoff.listen([&photara](const QString& file) {
        photara::openDataFile(photara.context(), photara.views(), file);
        if (QWidget* plot = photara.views().plot()) {
            plot->raise();
            plot->activateWindow();
        }
    });
    return app.exec();
}
