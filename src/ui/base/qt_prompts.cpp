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

QWidget* QtPrompts::owner() const {
    // A question opens over the window the user is working in (the plot's range message over
    // the plot), so that closing it does not raise the panel above that window.
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

void QtPrompts::message(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), titleOrApplication(title), text, QMessageBox::Ok, owner());
    box.exec();
}

bool QtPrompts::confirm(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), titleOrApplication(title), text,
                    QMessageBox::Ok | QMessageBox::Cancel, owner());
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtPrompts::input(const QString& title, const QString& prompt,
                                        const QString& defaultAnswer) {
    QInputDialog dialog(owner());
    dialog.setWindowTitle(titleOrApplication(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultAnswer);
    // Wide enough that the window manager need not cut the title short; title bars use a
    // larger, bolder font than the dialog, and put buttons beside the title.
    const int titleWidth = dialog.fontMetrics().horizontalAdvance(dialog.windowTitle());
    dialog.setMinimumWidth(titleWidth * 3 / 2 + 120);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPrompts::openFileName(const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(owner(), QString(), QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtPrompts::saveFileName(const QString& filter) {
    // QFileDialog asks before overwriting an existing file and adds no extension.
    const QString name = QFileDialog::getSaveFileName(owner(), QString(), QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

bool QtPrompts::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, owner());
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace photara
