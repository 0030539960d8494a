#pragma once

#include <QString>
#include <QStringList>

namespace photara::file_history {

// What Photara keeps between runs about files, in the user's settings (QSettings): the folder
// each file dialog last used, and the data files opened last.

// The folder the dialog named `dialog` ("open", "export", …) last used; empty before its
// first use.
QString folder(const QString& dialog);
// Remembers the folder of filePath for that dialog.
void rememberFolder(const QString& dialog, const QString& filePath);

// Data files opened, the latest first; at most kRecentFiles, no name twice.
inline constexpr int kRecentFiles = 8;
QStringList recentFiles();
void addRecentFile(const QString& path);
void removeRecentFile(const QString& path);

}  // namespace photara::file_history
