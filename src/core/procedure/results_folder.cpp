#include "core/procedure/results_folder.h"

#include <algorithm>
#include <filesystem>

#include "core/common/atomic_file.h"
#include "core/common/local_time.h"
#include "core/procedure/recipe_library.h"

namespace photara {

namespace fs = std::filesystem;

std::string folderName(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if (keep) {
            out += c;
        } else if (!out.empty() && out.back() != '-') {
            out += '-';
        }
    }
    while (!out.empty() && out.back() == '-') out.pop_back();
    if (out.size() > 80) out.resize(80);
    return out.empty() ? "unnamed" : out;
}

namespace {

// "2026-12-08T10:15:02.250+01:00" → "20261208-101502"
std::string stamp(const std::string& iso) {
    std::string digits;
    for (const char c : iso.substr(0, 19)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    if (digits.size() != 14) return "undated";
    return digits.substr(0, 8) + "-" + digits.substr(8);
}

}  // namespace

bool keepReport(const std::string& resultsDir, const ProcedureReport& report, KeptReport& kept, std::string& error) {
    const fs::path dir = fs::path(resultsDir) / folderName(report.info.site) / folderName(report.info.asset);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        error = "cannot create " + dir.string() + ": " + ec.message();
        return false;
    }
    const std::string base = stamp(report.info.finished) + "-" + folderName(report.recipe.id);
    fs::path json = dir / (base + ".json");
    for (int n = 2; fs::exists(json, ec); ++n) json = dir / (base + "-" + std::to_string(n) + ".json");
    fs::path html = json;
    html.replace_extension(".html");
    if (auto e = writeFileAtomically(json.string(), reportJson(report))) {
        error = *e;
        return false;
    }
    if (auto e = writeFileAtomically(html.string(), reportHtml(report))) {
        error = *e;
        return false;
    }
    kept = {json.string(), html.string()};
    return true;
}

bool reopenReport(const std::string& path, ProcedureReport& report, std::string& error) {
    std::string text;
    if (!readTextFile(path, text, error)) return false;
    auto read = readReport(text);
    if (auto* e = std::get_if<std::string>(&read)) {
        error = path + ": " + *e;
        return false;
    }
    report = std::move(std::get<ProcedureReport>(read));
    return true;
}

std::vector<ResultEntry> listResults(const std::string& resultsDir, const std::string& site) {
    std::vector<ResultEntry> out;
    std::error_code ec;
    if (!fs::is_directory(resultsDir, ec)) return out;
    const std::string wanted = site.empty() ? "" : folderName(site);
    for (auto it = fs::recursive_directory_iterator(resultsDir, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it.depth() > 2) {
            it.disable_recursion_pending();
            continue;
        }
        const fs::path& p = it->path();
        if (p.extension() != ".json" || !it->is_regular_file(ec)) continue;
        if (!wanted.empty() && fs::relative(p, resultsDir, ec).begin()->string() != wanted) continue;
        ProcedureReport r;
        std::string error;
        if (!reopenReport(p.string(), r, error)) continue;
        out.push_back({p.string(), r.info.site, r.info.asset, r.recipe.id, r.recipe.title, r.info.finished,
                       r.result.overall});
    }
    // By the moment each finished, whatever its UTC offset.
    auto moment = [](const ResultEntry& e) {
        const auto t = parseIso8601(e.finished);
        return t ? epochMilliseconds(*t) : std::int64_t{0};
    };
    std::sort(out.begin(), out.end(), [&](const ResultEntry& a, const ResultEntry& b) {
        return std::pair(moment(a), a.path) < std::pair(moment(b), b.path);
    });
    return out;
}

}  // namespace photara
