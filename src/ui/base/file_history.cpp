#include "ui/base/file_history.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSettings>

namespace photara::file_history {
namespace {

const QString kRecentKey = QStringLiteral("files/recent");

QString folderKey(const QString& dialog) {
    return QStringLiteral("folders/") + dialog;
}

void store(const QStringList& files) {
    QSettings().setValue(kRecentKey, files);
}

}  // namespace

QString folder(const QString& dialog) {
    const QString remembered = QSettings().value(folderKey(dialog)).toString();
    if (!remembered.isEmpty()) return remembered;
    // Nothing saved yet: the user's documents, never wherever the program was started from.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

void rememberFolder(const QString& dialog, const QString& filePath) {
    QSettings().setValue(folderKey(dialog), QFileInfo(filePath).absolutePath());
}

QStringList recentFiles() {
    return QSettings().value(kRecentKey).toStringList();
}

void addRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles) files.removeLast();
    store(files);
}

void removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    store(files);
}

}  // namespace photara::file_history
