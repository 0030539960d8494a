// Any bytes as a procedure recipe: the reader must take them without a crash, name a line
// that exists when it refuses them, and hand on only recipes whose names all resolve.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/procedure/recipe.h"
#include "core/procedure/verdict.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto read = photara::readRecipe(text, "fuzz.json");
    if (auto* e = std::get_if<photara::RecipeError>(&read)) {
        const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
        if (e->line < 1 || e->line > lines || e->message.empty()) std::abort();
        return 0;
    }
    const photara::Recipe& r = std::get<photara::Recipe>(read);
    if (r.id.empty() || r.title.empty() || r.criteria.empty()) std::abort();
    const photara::Recipe expanded = r.grid ? photara::withGrid(r, r.grid->defaultSize) : r;
    for (const auto& p : expanded.points) {
        if (p.patches.empty() || !expanded.patch(p.patches.front())) std::abort();
    }
    // Judging nothing measured must be possible for every accepted recipe.
    const auto result = photara::judge(expanded, {}, {});
    for (const auto& c : result.results) {
        if (c.verdict == photara::Verdict::Pass || c.verdict == photara::Verdict::PassWithNote) std::abort();
    }
    return 0;
}
