#include "core/procedure/recipe_library.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace photara {

namespace fs = std::filesystem;

namespace {
// A recipe is a few kilobytes; a larger file is no recipe.
constexpr std::uintmax_t kMaxRecipeBytes = 1 << 20;
}  // namespace

std::string processEnvironment(const std::string& name) {
    const char* v = std::getenv(name.c_str());
    return v ? v : "";
}

std::string builtInDataDir(const std::string& executablePath, const EnvironmentLookup& env) {
    if (const std::string d = env("PHOTARA_DATA_DIR"); !d.empty()) return d;
    const fs::path bin = fs::path(executablePath).parent_path();
    return (bin.parent_path() / "share" / "photara").string();
}

std::string userDataDir(const EnvironmentLookup& env) {
    if (const std::string x = env("XDG_DATA_HOME"); !x.empty() && fs::path(x).is_absolute()) {
        return (fs::path(x) / "photara").string();
    }
    return (fs::path(env("HOME")) / ".local" / "share" / "photara").string();
}

bool readTextFile(const std::string& path, std::string& text, std::string& error) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (!ec && size > kMaxRecipeBytes) {
        error = "cannot read " + path + ": larger than 1 MiB";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

namespace {

void addFolder(const std::string& dir, RecipeOrigin origin, RecipeListing& out) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.path().extension() == ".json" && entry.is_regular_file(ec)) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::string text, error;
        if (!readTextFile(path.string(), text, error)) {
            out.errors.push_back({path.string(), 0, "", error});
            continue;
        }
        auto read = readRecipe(text, path.string());
        if (auto* e = std::get_if<RecipeError>(&read)) {
            out.errors.push_back(*e);
            continue;
        }
        ListedRecipe listed{origin, path.string(), std::move(std::get<Recipe>(read))};
        auto same = std::find_if(out.recipes.begin(), out.recipes.end(),
                                 [&](const ListedRecipe& r) { return r.recipe.id == listed.recipe.id; });
        if (same == out.recipes.end()) {
            out.recipes.push_back(std::move(listed));
        } else if (same->origin == RecipeOrigin::BuiltIn && origin == RecipeOrigin::User) {
            *same = std::move(listed);
        } else {
            out.errors.push_back({path.string(), 0, "id", "the id \"" + listed.recipe.id +
                                                             "\" is used by " + same->path + " too"});
        }
    }
}

}  // namespace

RecipeListing listRecipes(const std::string& builtInDir, const std::string& userDir) {
    RecipeListing out;
    addFolder(builtInDir, RecipeOrigin::BuiltIn, out);
    addFolder(userDir, RecipeOrigin::User, out);
    std::sort(out.recipes.begin(), out.recipes.end(),
              [](const ListedRecipe& a, const ListedRecipe& b) { return a.recipe.id < b.recipe.id; });
    return out;
}

std::optional<ListedRecipe> findRecipe(const RecipeListing& listing, const std::string& idOrPath,
                                       std::string& error) {
    for (const auto& r : listing.recipes) {
        if (r.recipe.id == idOrPath) return r;
    }
    if (idOrPath.find('/') == std::string::npos && idOrPath.find(".json") == std::string::npos) {
        error = "no procedure \"" + idOrPath + "\" (photara-cli procedures lists them)";
        return std::nullopt;
    }
    std::string text;
    if (!readTextFile(idOrPath, text, error)) return std::nullopt;
    auto read = readRecipe(text, idOrPath);
    if (auto* e = std::get_if<RecipeError>(&read)) {
        error = e->text();
        return std::nullopt;
    }
    return ListedRecipe{RecipeOrigin::User, idOrPath, std::move(std::get<Recipe>(read))};
}

}  // namespace photara
