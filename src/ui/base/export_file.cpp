#include "ui/base/export_file.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include "ui/base/prompts.h"

namespace photara {

namespace {

bool isExtension(const QString& suffix) {
    static const QRegularExpression pattern(QStringLiteral("^(?=.*[A-Za-z])[A-Za-z0-9]{1,5}$"));
    return pattern.match(suffix).hasMatch();
}

}  // namespace

std::optional<QString> exportFileName(Prompts& prompts, const QString& chosen,
                                      const QString& extension, bool otherExtensionsKept) {
    const QFileInfo info(chosen);
    const QString suffix = info.suffix();
    if (info.fileName().isEmpty() || suffix.compare(extension, Qt::CaseInsensitive) == 0 ||
        (otherExtensionsKept && isExtension(suffix)))
        return chosen;
    const QString name = chosen + QLatin1Char('.') + extension;
    if (QFileInfo::exists(name) &&
        !prompts.confirm(QStringLiteral("\"%1\" already exists.\nDo you want to replace it?")
                             .arg(QFileInfo(name).fileName()),
                         QString(), Prompts::Icon::Warning))
        return std::nullopt;
    return name;
}

std::optional<QString> writeWholeFile(const QString& path,
                                      const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    // The data is flushed and checked before the file is replaced: a short write (a full
    // disk) could otherwise still commit a cut-off file.
    const bool written = file.open(QIODevice::WriteOnly) && write(file) && file.flush() &&
                         file.error() == QFileDevice::NoError;
    const QString reason = file.error() != QFileDevice::NoError
                               ? file.errorString()
                               : QStringLiteral("its contents could not be made");
    if (written && file.commit()) return std::nullopt;
    const QString why = written ? file.errorString() : reason;
    file.cancelWriting();
    return QStringLiteral(
               "\"%1\" could not be written: %2.\n"
               "Any file of that name was left as it was.")
        .arg(QFileInfo(path).absoluteFilePath(), why);
}

}  // namespace photara
