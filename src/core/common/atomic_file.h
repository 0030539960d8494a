#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace photara {

// Writes a file whole or not at all: the bytes go into a temporary file beside it, which is
// synced and then renamed over the target. A failure at any step leaves the target as it was
// and no temporary behind. Returns why it failed ("cannot create ...: Permission denied"), or
// nullopt when the file is in place.
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace photara
