#include "ui/base/output_file.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

#include "ui/base/file_history.h"
#include "ui/base/prompts.h"

namespace photara {

namespace {

bool isExtension(const QString& suffix) {
    static const QRegularExpression pattern(QStringLiteral("^(?=.*[A-Za-z])[A-Za-z0-9]{1,5}$"));
    return pattern.match(suffix).hasMatch();
}

QString filters(const OutputFileKind& kind) {
    QStringList list;
    for (const OutputFormat& format : kind.formats) list << format.filter;
    if (kind.allFilesOffered) list << QStringLiteral("All Files (*)");
    return list.join(QStringLiteral(";;"));
}

bool sameExtension(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The picked filter's format when the name's extension fits it (two filters may share an
// extension: "CSV" and "Excel"), else the one the extension asks for, else the picked one.
OutputFormat chosenFormat(const OutputFileKind& kind, const Prompts::SaveChoice& choice) {
    const QString suffix = QFileInfo(choice.path).suffix();
    const OutputFormat* picked = &kind.formats.front();
    for (const OutputFormat& format : kind.formats)
        if (format.filter == choice.filter) picked = &format;
    if (sameExtension(picked->extension, suffix)) return *picked;
    for (const OutputFormat& format : kind.formats)
        if (sameExtension(format.extension, suffix)) return format;
    return *picked;
}

}  // namespace

QString withExtension(const QString& typed, const QString& extension, bool otherExtensionsKept) {
    const QFileInfo info(typed);
    const QString suffix = info.suffix();
    if (info.fileName().isEmpty() || info.isDir() || sameExtension(suffix, extension) ||
        (otherExtensionsKept && isExtension(suffix)))
        return typed;
    // "set." means "set" with the extension, not "set..csv".
    return typed + (typed.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".")) +
           extension;
}

QString outputStart(const OutputFileKind& kind, const QString& stem) {
    const QString folder = file_history::folder(kind.folderKey);
    if (stem.isEmpty()) return folder;
    QString name = stem;
    const QString& first = kind.formats.front().extension;
    const bool oneExtension =
        std::all_of(kind.formats.begin(), kind.formats.end(),
                    [&](const OutputFormat& format) { return format.extension == first; });
    if (oneExtension) name += QLatin1Char('.') + first;
    return QDir(folder).filePath(name);
}

std::optional<OutputFile> askOutputFile(Prompts& prompts, const OutputFileKind& kind,
                                        const QString& stem) {
    const std::optional<Prompts::SaveChoice> choice =
        prompts.saveFileChoice(filters(kind), outputStart(kind, stem));
    if (!choice || QFileInfo(choice->path).fileName().isEmpty()) return std::nullopt;
    OutputFile file{QString(), chosenFormat(kind, *choice)};
    file.path = withExtension(choice->path, file.format.extension, kind.otherExtensionsKept);
    if (file.path != choice->path && QFileInfo::exists(file.path) &&
        !prompts.confirm(QStringLiteral("\"%1\" already exists.\nDo you want to replace it?")
                             .arg(QFileInfo(file.path).fileName()),
                         QString(), Prompts::Icon::Warning, Prompts::Default::Cancel))
        return std::nullopt;
    rememberOutputFolder(kind, file.path);
    return file;
}

void rememberOutputFolder(const OutputFileKind& kind, const QString& path) {
    file_history::rememberFolder(kind.folderKey, path);
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

bool writeWholeFileOrTell(Prompts& prompts, const QString& path,
                          const std::function<bool(QIODevice&)>& write) {
    const std::optional<QString> failure = writeWholeFile(path, write);
    if (failure) prompts.message(*failure, QString(), Prompts::Icon::Critical);
    return !failure;
}

bool writeAll(QIODevice& device, std::string_view bytes) {
    return device.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

}  // namespace photara
