#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "ui/base/output_file.h"

namespace photara {

class Prompts;
struct AppContext;

// The filter both file dialogs offer: data files first, then all files.
inline const QString kDataFileFilter = QStringLiteral("Data Files (*.pxd);;All Files (*)");

// A data file: ".pxd" on a name typed without an extension (the open dialog's default filter
// would hide the file otherwise), any other extension kept, in the folder Open starts in.
inline const OutputFileKind kDataFileKind{
    {{QStringLiteral("Data Files (*.pxd)"), QStringLiteral("pxd")}}, QStringLiteral("open"),
    true, true};

// Writes the data text and CR LF to path whole (writeWholeFile). On failure, the message for
// the user, naming the file and the reason.
std::optional<QString> writeDataFile(const QString& path, std::string_view dataText);

// Save as the user does it: asks for the name (askOutputFile), writes the data text and tells
// a failure. The data list's Save and the panel's Save both run it.
void saveDataTextAs(AppContext& context, std::string_view dataText);

struct DataFileRead {
    std::optional<std::string> bytes;  // the file's bytes, unchanged
    QString error;                     // the message for the user when bytes is empty
};

// Reads a whole data file. Refuses, before reading, anything that is not a regular file or
// is larger than any data file can be, so a device or a huge file never blocks the program.
DataFileRead readDataFile(const QString& path);

}  // namespace photara
