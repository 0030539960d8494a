#include "ui/datalist/data_file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <cmath>
#include <cstdint>

#include "ui/base/file_history.h"
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

}  // namespace

std::optional<QString> writeDataFile(const QString& path, std::string_view dataText) {
    const std::string bytes = dataFileBytes(dataText);
    return writeWholeFile(path, [&](QIODevice& file) { return writeAll(file, bytes); });
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
    const std::optional<OutputFile> file = askOutputFile(context.prompts, kDataFileKind);
    if (!file) return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const std::optional<QString> failure = writeDataFile(file->path, dataText);
    QGuiApplication::restoreOverrideCursor();
    if (failure) return context.prompts.message(*failure, QString(), Prompts::Icon::Critical);
    // The file just saved is the one most likely opened next.
    const QFileInfo saved(file->path);
    file_history::addRecentFile(saved.absoluteFilePath());
    // The file's name first: a narrow status line cuts off the folder, not the name.
    sayOnStatusLine(context,
                    QStringLiteral("Saved %1 in %2").arg(saved.fileName(), saved.absolutePath()));
}

}  // namespace photara
