#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>

#include "ui/base/prompts.h"

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
    QMessageBox box(toQt(icon), titleOrApplication(title), text, QMessageBox::Ok, owner());
    const FocusReturn focusBack;
    box.exec();
}

bool QtPrompts::confirm(const QString& text, const QString& title, Icon icon,
                        Default defaultButton) {
    QMessageBox box(toQt(icon), titleOrApplication(title), text,
                    QMessageBox::Ok | QMessageBox::Cancel, owner());
    box.setDefaultButton(defaultButton == Default::Cancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    const FocusReturn focusBack;
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
    const FocusReturn focusBack;
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPrompts::openFileName(const QString& filter) {
    const FocusReturn focusBack;
    const QString name = QFileDialog::getOpenFileName(owner(), QString(), QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtPrompts::saveFileName(const QString& filter) {
    // QFileDialog asks before overwriting an existing file and adds no extension.
    const FocusReturn focusBack;
    const QString name = QFileDialog::getSaveFileName(owner(), QString(), QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtPrompts::openFileNameIn(const QString& filter, const QString& folder) {
    const FocusReturn focusBack;
    const QString name = QFileDialog::getOpenFileName(owner(), QString(), folder, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtPrompts::saveFileNameAs(const QString& filter, const QString& suggested) {
    const FocusReturn focusBack;
    const QString name = QFileDialog::getSaveFileName(owner(), QString(), suggested, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

bool QtPrompts::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, owner());
    const FocusReturn focusBack;
    return dialog.exec() == QDialog::Accepted;
}

std::optional<Prompts::SaveChoice> Prompts::saveFileChoice(const QString& filter,
                                                           const QString& /*start*/) {
    const std::optional<QString> name = saveFileName(filter);
    if (!name) return std::nullopt;
    return SaveChoice{*name, filter.section(QStringLiteral(";;"), 0, 0)};
}

std::optional<Prompts::SaveChoice> QtPrompts::saveFileChoice(const QString& filter,
                                                             const QString& start) {
    QString picked;
    const FocusReturn focusBack;
    const QString name = QFileDialog::getSaveFileName(owner(), QString(), start, filter, &picked);
    if (name.isEmpty()) return std::nullopt;
    return SaveChoice{name, picked};
}

std::optional<QSize> QtPrompts::imageSize(const QSize& suggested) {
    QDialog dialog(owner());
    dialog.setObjectName(QStringLiteral("PictureSize"));
    dialog.setWindowTitle(QStringLiteral("Picture Size"));
    auto* form = new QFormLayout(&dialog);
    auto spin = [&](const char* name, int value) {
        auto* box = new QSpinBox(&dialog);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(16, 16384);
        box->setSuffix(QStringLiteral(" px"));
        box->setValue(value);
        return box;
    };
    QSpinBox* width = spin("Width", suggested.width());
    QSpinBox* height = spin("Height", suggested.height());
    form->addRow(QStringLiteral("&Width:"), width);
    form->addRow(QStringLiteral("&Height:"), height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    const FocusReturn focusBack;
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return QSize(width->value(), height->value());
}

}  // namespace photara
