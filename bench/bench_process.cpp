// The programs as a user or a script starts them: each whole process, from the spawn to its
// exit, in wall time.
//  - photara-cli on the virtual meter: one reading (goal: under 30 ms) and the largest set
//    downloaded to CSV (goal: under 150 ms);
//  - photara --virtual-meter --screenshot: from process start to the first reading painted,
//    which is when it saves the panel and exits (goal: under 80 ms).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_process.h"
#include "sim/logger_memory.h"

namespace {

namespace fs = std::filesystem;

// The runs' own home, removed at exit: its runtime folder holds their lock (so a running
// Photara's lock is never in the way) and its config folder their settings (so the user's
// are neither read nor changed).
struct Scratch {
    Scratch() {
        char pattern[] = "/tmp/photara-bench-process.XXXXXX";
        dir = ::mkdtemp(pattern);
        fs::create_directory(dir / "config");
        fs::create_directory(dir / "runtime");
        ::chmod((dir / "runtime").c_str(), 0700);  // as a runtime folder must be
    }
    ~Scratch() { fs::remove_all(dir); }
    fs::path dir;
};

const fs::path& scratch() {
    static const Scratch s;
    return s.dir;
}

// Runs program in the scratch home; true when it exits with 0.
bool run(const char* program, std::vector<std::string> args) {
    const fs::path& home = scratch();
    std::vector<std::string> env = {"HOME=" + home.string(),
                                     "XDG_CONFIG_HOME=" + (home / "config").string(),
                                     "XDG_RUNTIME_DIR=" + (home / "runtime").string(),
                                     "QT_QPA_PLATFORM=offscreen", "PATH=/usr/bin:/bin"};
    return photara::test::runProgram(program, std::move(args), std::move(env), home).code == 0;
}

void BM_CliRead(benchmark::State& state) {
    for (auto _ : state) {
        if (!run(PHOTARA_CLI, {"--virtual-meter", "read", "--json"})) {
            state.SkipWithError("photara-cli read failed");
            break;
        }
    }
}
BENCHMARK(BM_CliRead)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_CliDownloadLargestSetToCsv(benchmark::State& state) {
    const photara::sim::LoggerMemory sets = photara::sim::LoggerMemory::withDemoSets();
    int largest = 0;
    for (int i = 1; i < sets.setCount(); ++i) {
        if (sets.recipe(i).samples > sets.recipe(largest).samples) largest = i;
    }
    const fs::path csv = scratch() / "largest.csv";
    for (auto _ : state) {
        if (!run(PHOTARA_CLI, {"--virtual-meter", "download", std::to_string(largest + 1),
                               "--format", "csv", "-o", csv.string()})) {
            state.SkipWithError("photara-cli download failed");
            break;
        }
    }
    state.counters["readings"] = sets.recipe(largest).samples;
    if (fs::exists(csv)) state.counters["csv_bytes"] = static_cast<double>(fs::file_size(csv));
}
BENCHMARK(BM_CliDownloadLargestSetToCsv)->UseRealTime()->Unit(benchmark::kMillisecond);

#ifdef PHOTARA_GUI
void BM_GuiStartToFirstReadingPainted(benchmark::State& state) {
    const std::string shot = (scratch() / "panel.png").string();
    const std::vector<std::string> args = {"--virtual-meter", "--screenshot", shot};
    // The first start of all may build caches (fonts) that every later start finds made.
    if (!run(PHOTARA_GUI, args)) state.SkipWithError("photara --screenshot failed");
    for (auto _ : state) {
        if (!run(PHOTARA_GUI, args)) {
            state.SkipWithError("photara --screenshot failed");
            break;
        }
    }
}
BENCHMARK(BM_GuiStartToFirstReadingPainted)->UseRealTime()->Unit(benchmark::kMillisecond);
#endif

}  // namespace
