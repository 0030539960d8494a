#include "cli/data_dirs.h"

#include <filesystem>
#include <system_error>

#include "core/procedure/recipe_library.h"

namespace photara::cli {

std::string builtInDir() {
    // The program's own path, so an installed photara-cli finds its share folder under any
    // prefix; a build tree sets PHOTARA_DATA_DIR.
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return builtInDataDir(ec ? std::string() : self.string(), processEnvironment);
}

std::string userDir() {
    return userDataDir(processEnvironment);
}

}  // namespace photara::cli
