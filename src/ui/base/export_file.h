#pragma once

#include <QString>
#include <functional>
#include <optional>

class QIODevice;

namespace photara {

class Prompts;

// The file an export writes: the name the user gave, with "." + extension appended when it
// has no extension ("run 1.5 lux" and "2026.12.08" have none: an extension is up to five
// letters and digits with a letter among them), or, unless otherExtensionsKept, when it has
// another one. The dialog asked about replacing only the name as typed, so when the
// appended name is an existing file this asks before it is replaced; nullopt when the user
// declines.
std::optional<QString> exportFileName(Prompts& prompts, const QString& chosen,
                                      const QString& extension, bool otherExtensionsKept);

// Writes a whole file through QSaveFile: `write` fills the device and says whether it
// succeeded; then either the whole file is in place or an existing file of that name stays
// as it was. On failure, the message for the user, naming the file and the reason.
std::optional<QString> writeWholeFile(const QString& path,
                                      const std::function<bool(QIODevice&)>& write);

}  // namespace photara
