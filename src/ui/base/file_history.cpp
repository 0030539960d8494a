#include "ui/base/file_history.h"

#include <QFileInfo>
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
    return QSettings().value(folderKey(dialog)).toString();
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
