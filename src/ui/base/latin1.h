#pragma once

#include <QString>
#include <string_view>

namespace photara {

// Bytes from the meter or a data file shown on screen: one byte, one character (Latin-1),
// never decoded as UTF-8, so a 0xB0 degree sign shows as it was sent.
inline QString latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace photara
