#pragma once

#include <string>

namespace photara::cli {

// Where photara-cli finds the installed recipes and scenes (<prefix>/share/photara beside
// <prefix>/bin, or PHOTARA_DATA_DIR) and keeps the user's recipes and results.
std::string builtInDir();
std::string userDir();

}  // namespace photara::cli
