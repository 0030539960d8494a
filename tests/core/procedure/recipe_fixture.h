#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/procedure/recipe.h"
#include "core/procedure/recipe_library.h"

namespace photara::test {

// A built-in recipe as shipped, its grid not yet expanded.
inline Recipe shippedRecipe(const std::string& id) {
    std::string text, error;
    const std::string path = std::string(PHOTARA_SOURCE_DIR "/procedures/") + id + ".json";
    EXPECT_TRUE(readTextFile(path, text, error)) << error;
    auto read = readRecipe(text, path);
    if (auto* e = std::get_if<RecipeError>(&read)) {
        ADD_FAILURE() << e->text();
        return {};
    }
    return std::get<Recipe>(std::move(read));
}

// A built-in recipe as shipped, its grid expanded to size (0: the default).
inline Recipe builtInRecipe(const std::string& id, int gridSize = 0) {
    const Recipe r = shippedRecipe(id);
    return withGrid(r, gridSize ? gridSize : (r.grid ? r.grid->defaultSize : 0));
}

}  // namespace photara::test
