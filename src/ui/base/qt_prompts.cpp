#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "base/prompts.h"

namespace photara {
namespace {

QMessageBox::Icon toQt(Prompts::Icon icon) {
    switch (icon) {
        case Prompts::Icon::Information: return QMessageBox::Information;
        case Prompts::Icon::Warning: return QMessageBox::Warning;
        case Prompts::Icon::Critical: return QMessageBox::Critical;
        case Prompts::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString titleOrApplication(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

}  // namespace

void QtPrompts::message(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), titleOrApplication(title), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtPrompts::confirm(const QString& text, const QString& title, Icon icon,
                        Default defaultButton) {
    QMessageBox box(toQt(icon), titleOrApplication(title), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setDefaultButton(defaultButton == Default::Cancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtPrompts::input(const QString& title, const QString& prompt,
                                        const QString& defaultAnswer) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent_, titleOrApplication(title), prompt,
                                                 QLineEdit::Normal, defaultAnswer, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

std::optional<QString> QtPrompts::openFileName(const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(parent_, QString(), QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtPrompts::saveFileName(const QString& filter) {
    // QFileDialog asks before overwriting an existing file and adds no extension.
    const QString name = QFileDialog::getSaveFileName(parent_, QString(), QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

bool QtPrompts::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace photara
