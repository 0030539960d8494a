#pragma once

#include <QString>
#include <QStringList>

#include "core/link/meter_identity.h"

namespace photara {

// What the command line asks for. Nothing else configures the program.
struct Options {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };

    Action action = Action::Run;
    bool virtualMeter = false;  // --virtual-meter: an in-process meter instead of USB
    QString screenshotFile;     // --screenshot FILE: save the panel as PNG and exit
    MeterId meterId;            // --meter-id VVVV:PPPP: the USB meter to look for
    QString dataFile;           // FILE: a data file to open at start, as Open does
    QString text;               // help, version or error text to print
};

// arguments includes the program name first, as QCoreApplication::arguments() gives them.
Options parseOptions(const QStringList& arguments);

}  // namespace photara
