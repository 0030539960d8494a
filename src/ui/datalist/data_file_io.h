#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace photara {

class Prompts;
struct AppContext;

// The filter both file dialogs offer: data files first, then all files.
inline const QString kDataFileFilter = QStringLiteral("Data Files (*.pxd);;All Files (*)");

// Asks where to save a data file. A name typed without an extension gets ".pxd": the open
// dialog's default filter would hide the file otherwise. When that names an existing file,
// the user is asked before it is replaced. Nullopt when the user cancelled.
std::optional<QString> askDataFileSaveName(Prompts& prompts);

// Writes the data text and CR LF to path through QSaveFile: either the whole file is
// written or an existing file of that name stays as it was. On failure, the message for
// the user, naming the file and the reason.
std::optional<QString> writeDataFile(const QString& path, std::string_view dataText);

// Save as the user does it: asks for the name, writes the data text with the panel's
// timers paused, and tells a failure. The data list's Save and the panel's Save both run it.
void saveDataTextAs(AppContext& context, std::string_view dataText);

struct DataFileRead {
    std::optional<std::string> bytes;  // the file's bytes, unchanged
    QString error;                     // the message for the user when bytes is empty
};

// Reads a whole data file. Refuses, before reading, anything that is not a regular file or
// is larger than any data file can be, so a device or a huge file never blocks the program.
DataFileRead readDataFile(const QString& path);

}  // namespace photara
