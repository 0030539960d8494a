#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QIODevice;

namespace photara {

class Prompts;

// Every file the windows write (data files, CSV, pictures, reports) is named through
// askOutputFile and written through writeWholeFile, so each asks, extends, confirms and
// remembers the same way.

// One format the save dialog offers: its filter and the extension its files get.
struct OutputFormat {
    QString filter;     // "PNG Image (*.png)"
    QString extension;  // "png", without the dot
};

// What differs between the kinds of file the program writes.
struct OutputFileKind {
    std::vector<OutputFormat> formats;  // the dialog's filters, in order; the first is the default
    QString folderKey;                  // the remembered folder (file_history::folder)
    // Whether a name with another extension is kept as typed ("set.txt" for a CSV) rather than
    // extended ("graph.jpg" becomes "graph.jpg.png": a PNG must be called .png).
    bool otherExtensionsKept = false;
    bool allFilesOffered = false;  // "All Files (*)" after the formats
};

// The file the user chose, and the format it is to be written in.
struct OutputFile {
    QString path;
    OutputFormat format;
};

// Where the kind's dialog starts: the remembered folder, and the suggested stem with the
// extension when every format shares one (else the picked format supplies it).
QString outputStart(const OutputFileKind& kind, const QString& stem);

// Asks for a name (starting at outputStart), adds the format's extension to a name that has
// none, asks before replacing an existing file the extension leads to (Cancel the default
// button: the dialog asked only about the name as typed) and remembers the folder. The
// format is the one the name's extension asks for, else the picked filter's. nullopt when
// the user cancelled or declined.
std::optional<OutputFile> askOutputFile(Prompts& prompts, const OutputFileKind& kind,
                                        const QString& stem = {});

// The name as typed with "." + extension appended when it has none ("run 1.5 lux" and
// "2026.12.08" have none: an extension is up to five letters and digits with a letter among
// them), or, unless otherExtensionsKept, when it has another one. A folder is left as it is:
// writing to it is refused with the reason.
QString withExtension(const QString& typed, const QString& extension, bool otherExtensionsKept);

// Remembers the folder of a file written outside askOutputFile (print to file).
void rememberOutputFolder(const OutputFileKind& kind, const QString& path);

// Writes a whole file through QSaveFile: `write` fills the device and says whether it
// succeeded; then either the whole file is in place or an existing file of that name stays
// as it was. On failure, the message for the user, naming the file and the reason.
std::optional<QString> writeWholeFile(const QString& path,
                                      const std::function<bool(QIODevice&)>& write);

// writeWholeFile, telling a failure in a message; true when the file was written.
bool writeWholeFileOrTell(Prompts& prompts, const QString& path,
                          const std::function<bool(QIODevice&)>& write);

// Writes all of bytes to device; false on a short write.
bool writeAll(QIODevice& device, std::string_view bytes);

}  // namespace photara
