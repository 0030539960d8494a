#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/procedure/recipe.h"

namespace photara {

// Where the recipes come from: those installed with the program and the user's own.
enum class RecipeOrigin { BuiltIn, User };

struct ListedRecipe {
    RecipeOrigin origin = RecipeOrigin::BuiltIn;
    std::string path;
    Recipe recipe;
};

struct RecipeListing {
    std::vector<ListedRecipe> recipes;  // by id; a user's recipe with a built-in's id replaces it
    std::vector<RecipeError> errors;    // files that were refused, each with its reason
};

// Reads an environment variable; empty when unset. Injected so tests set no real variables.
using EnvironmentLookup = std::function<std::string(const std::string&)>;
std::string processEnvironment(const std::string& name);

// The installed recipes: <prefix>/share/photara/procedures beside <prefix>/bin/<program>.
// PHOTARA_DATA_DIR, when set, replaces <prefix>/share/photara (a build tree, a test).
std::string builtInDataDir(const std::string& executablePath, const EnvironmentLookup& env);
// The user's data folder: $XDG_DATA_HOME/photara, else ~/.local/share/photara.
std::string userDataDir(const EnvironmentLookup& env);

// Every *.json recipe in the two folders (either may be missing), sorted by id.
RecipeListing listRecipes(const std::string& builtInDir, const std::string& userDir);

// A recipe by id from a listing, or a path to a recipe file.
std::optional<ListedRecipe> findRecipe(const RecipeListing& listing, const std::string& idOrPath,
                                       std::string& error);

// A whole file as text; false with the reason ("cannot read …: No such file or directory").
bool readTextFile(const std::string& path, std::string& text, std::string& error);

}  // namespace photara
