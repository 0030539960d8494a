// procedures and results: what can be measured, and what was.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/data_dirs.h"
#include "cli/exit_code.h"
#include "cli/text_output.h"
#include "core/procedure/recipe_library.h"
#include "core/procedure/results_folder.h"
#include "core/procedure/run_text.h"

namespace photara::cli {
namespace {

std::string_view originText(RecipeOrigin origin) {
    return origin == RecipeOrigin::BuiltIn ? "built-in" : "user";
}

std::string standardText(const StandardReference& s) {
    std::string text = s.name;
    if (s.year > 0) text += ":" + std::to_string(s.year);
    if (!s.also.empty()) text += ", " + s.also;
    return text;
}

}  // namespace

int runProcedures(const Common& common) {
    const RecipeListing listing = listRecipes(builtInDir() + "/procedures", userDir() + "/procedures");
    if (common.json) {
        std::string out = "{\"procedures\":[";
        for (std::size_t i = 0; i < listing.recipes.size(); ++i) {
            const ListedRecipe& r = listing.recipes[i];
            out += std::string(i ? "," : "") + "{\"id\":" + jsonString(r.recipe.id) +
                   ",\"version\":" + std::to_string(r.recipe.version) +
                   ",\"title\":" + jsonString(r.recipe.title) +
                   ",\"standard\":" + jsonString(standardText(r.recipe.standard)) +
                   ",\"origin\":" + jsonString(originText(r.origin)) +
                   ",\"path\":" + jsonString(r.path) + "}";
        }
        out += "],\"refused\":[";
        for (std::size_t i = 0; i < listing.errors.size(); ++i) {
            out += std::string(i ? "," : "") + "{\"path\":" + jsonString(listing.errors[i].file) +
                   ",\"reason\":" + jsonString(listing.errors[i].text()) + "}";
        }
        std::printf("%s]}\n", out.c_str());
        return kSuccess;
    }
    for (const ListedRecipe& r : listing.recipes) {
        std::printf("%-22s %s (%s)%s\n", r.recipe.id.c_str(), r.recipe.title.c_str(),
                    standardText(r.recipe.standard).c_str(),
                    r.origin == RecipeOrigin::User ? " [user]" : "");
    }
    for (const RecipeError& e : listing.errors) std::printf("refused: %s\n", e.text().c_str());
    if (listing.recipes.empty() && listing.errors.empty())
        std::fprintf(stderr, "procedures: none found in %s/procedures\n", builtInDir().c_str());
    return kSuccess;
}

int runResults(const Common& common, const std::string& site, const std::string& reportPath) {
    if (!reportPath.empty()) {
        ProcedureReport report;
        std::string error;
        if (!reopenReport(reportPath, report, error)) throw CliError(kFileError, "results: " + error);
        std::printf("%s — %s / %s, %s\n%s", report.recipe.title.c_str(), report.info.site.c_str(),
                    report.info.asset.c_str(), report.info.finished.c_str(),
                    verdictTable(report).c_str());
        return kSuccess;
    }
    const std::vector<ResultEntry> entries = listResults(userDir() + "/results", site);
    if (common.json) {
        std::string out = "[";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ResultEntry& e = entries[i];
            out += std::string(i ? "," : "") + "{\"finished\":" + jsonString(e.finished) +
                   ",\"site\":" + jsonString(e.site) + ",\"asset\":" + jsonString(e.asset) +
                   ",\"procedure\":" + jsonString(e.procedure) +
                   ",\"title\":" + jsonString(e.title) +
                   ",\"verdict\":" + jsonString(verdictText(e.verdict)) +
                   ",\"path\":" + jsonString(e.path) + "}";
        }
        std::printf("%s]\n", out.c_str());
        return kSuccess;
    }
    const auto orDash = [](const std::string& s) { return s.empty() ? std::string("–") : s; };
    for (const ResultEntry& e : entries) {
        std::printf("%s  %-14s %s / %s  %s\n  %s\n", e.finished.c_str(),
                    std::string(verdictText(e.verdict)).c_str(), orDash(e.site).c_str(),
                    orDash(e.asset).c_str(),
                    e.procedure.c_str(), e.path.c_str());
    }
    if (entries.empty()) std::fprintf(stderr, "results: no reports kept in %s/results\n", userDir().c_str());
    return kSuccess;
}

}  // namespace photara::cli
