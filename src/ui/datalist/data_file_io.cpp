#include "ui/datalist/data_file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QSaveFile>
#include <cmath>
#include <cstdint>

#include "ui/datalist/file_history.h"
#include "ui/base/app_context.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/prompts.h"
#include "ui/base/status_line.h"
#include "core/datafile/data_file.h"

namespace photara {
namespace {

QString shown(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

// A size as people read it, rounded up to a tenth of a megabyte (2^20 bytes), so that a file
// only just over the limit never reads as the limit itself.
QString megabytes(std::uint64_t bytes) {
    const double tenths = std::ceil(static_cast<double>(bytes) / (1024.0 * 1024.0) * 10.0);
    return QStringLiteral("%1 MB").arg(tenths / 10.0, 0, 'f', 1);
}

// The name as typed, with ".pxd" when it has no extension. A folder is left as it is: writing
// to it is refused with the reason.
QString withDataFileSuffix(const QString& typed) {
    const QFileInfo info(typed);
    if (!info.suffix().isEmpty() || info.isDir()) return typed;
    return typed +
           (typed.endsWith(QLatin1Char('.')) ? QStringLiteral("pxd") : QStringLiteral(".pxd"));
}

}  // namespace

std::optional<QString> askDataFileSaveName(Prompts& prompts) {
    const std::optional<QString> typed = prompts.saveFileName(kDataFileFilter);
    if (!typed || QFileInfo(*typed).fileName().isEmpty()) return std::nullopt;
    const QString name = withDataFileSuffix(*typed);
    // The dialog asked about the name as typed; the extension may name another file.
    if (name != *typed && QFileInfo::exists(name) &&
        !prompts.confirm(QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(QFileInfo(name).fileName()),
                         QString(), Prompts::Icon::Warning, Prompts::Default::Cancel))
        return std::nullopt;
    return name;
}

std::optional<QString> writeDataFile(const QString& path, std::string_view dataText) {
    const std::string bytes = dataFileBytes(dataText);
    QSaveFile file(path);
    // A short write (a full disk) can leave QSaveFile's own commit reporting success for a
    // cut-off file, so the data is flushed and checked before the file is replaced.
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         file.flush();
    const QString reason = file.errorString();
    if (written && file.commit()) return std::nullopt;
    const QString why = written ? file.errorString() : reason;
    file.cancelWriting();
    return QStringLiteral(
               "The data could not be saved to \"%1\": %2.\n"
               "Any file of that name was left as it was.")
        .arg(shown(path), why);
}

DataFileRead readDataFile(const QString& path) {
    const QFileInfo info(path);
    auto refuse = [&](const QString& reason) {
        return DataFileRead{std::nullopt, QStringLiteral("The data file \"%1\" could not be "
                                                         "opened: %2.")
                                              .arg(shown(path), reason)};
    };
    if (info.exists() && !info.isFile()) return refuse(QStringLiteral("it is not a regular file"));
    const auto tooLarge = [&](qint64 size) {
        return refuse(QStringLiteral("it is too large for a data file (%1; a data file "
                                     "holds at most %2)")
                          .arg(megabytes(static_cast<std::uint64_t>(size)), megabytes(kMaximumDataFileBytes)));
    };
    if (info.exists() && info.size() > static_cast<qint64>(kMaximumDataFileBytes))
        return tooLarge(info.size());

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString());
    // Read one byte past the limit, in case the file grew since it was measured.
    const QByteArray bytes = file.read(static_cast<qint64>(kMaximumDataFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) return refuse(file.errorString());
    if (bytes.size() > static_cast<qsizetype>(kMaximumDataFileBytes)) return tooLarge(info.size());
    return DataFileRead{std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        QString()};
}

void saveDataTextAs(AppContext& context, std::string_view dataText) {
    const std::optional<QString> name = askDataFileSaveName(context.prompts);
    if (!name) return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const std::optional<QString> failure = writeDataFile(*name, dataText);
    QGuiApplication::restoreOverrideCursor();
    if (failure) return context.prompts.message(*failure, QString(), Prompts::Icon::Critical);
    // The file just saved is the one most likely opened next, and Open starts in its folder.
    const QFileInfo saved(*name);
    file_history::addRecentFile(saved.absoluteFilePath());
    file_history::rememberFolder(QStringLiteral("open"), saved.absoluteFilePath());
    // The file's name first: a narrow status line cuts off the folder, not the name.
    sayOnStatusLine(context,
                    QStringLiteral("Saved %1 in %2").arg(saved.fileName(), saved.absolutePath()));
}

}  // namespace photara
