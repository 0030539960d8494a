#include "datafile/data_file.h"

namespace photara {

std::string dataFileBytes(std::string_view dataText) {
    std::string bytes;
    bytes.reserve(dataText.size() + 2);
    bytes.append(dataText);
    bytes += "\r\n";
    return bytes;
}

std::string_view dataTextOfFile(std::string_view fileBytes) {
    if (fileBytes.ends_with("\r\n")) return fileBytes.substr(0, fileBytes.size() - 2);
    if (fileBytes.ends_with('\r')) return fileBytes.substr(0, fileBytes.size() - 1);
    return fileBytes;
}

}  // namespace photara
