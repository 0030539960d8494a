#include "ui/panel/about_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QSettings>

namespace photara {

QString aboutText() {
    const QString settings = QSettings().fileName().toHtmlEscaped();
    return QStringLiteral(
               "<h3>Photara %1</h3>"
               "<p>Desktop companion for the handheld luminance meter: a live copy of its "
               "display and keys, its data logger and its clock.</p>"
               "<p>Licence: GNU General Public License, version 3 or later.</p>"
               "<p><b>Data files</b> (.pxd) are saved where you choose in the Data List "
               "window; Open reads them back.<br>"
               "<b>Settings</b> (window places) live in <tt>%2</tt>.</p>"
               "<p><b>Meter access:</b> installing Photara puts a udev rule "
               "(<tt>70-photara-meter.rules</tt>) into udev's <tt>rules.d</tt> that gives the "
               "logged-in user access to the meter. After installing, run "
               "<tt>sudo udevadm control --reload</tt> and plug the meter in again.</p>"
               "<p>No meter at hand? Start <tt>photara --virtual-meter</tt>.</p>")
        .arg(QCoreApplication::applicationVersion().toHtmlEscaped(), settings);
}

void showAbout(QWidget* parent) {
    QMessageBox::about(parent, QStringLiteral("About Photara"), aboutText());
}

}  // namespace photara
