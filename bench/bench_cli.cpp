// photara-cli as a script runs it: the whole process on the virtual meter, from the spawn to
// its exit, in wall time. The largest set to CSV (goal: under 150 ms) and one reading
// (goal: under 30 ms).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sim/logger_memory.h"

namespace {

namespace fs = std::filesystem;

// The runs' own folder, removed at exit: their lock (so no other program's lock is in the
// way) and their files.
struct Scratch {
    Scratch() {
        char pattern[] = "/tmp/photara-bench-cli.XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    ~Scratch() { fs::remove_all(dir); }
    fs::path dir;
};

const fs::path& scratch() {
    static const Scratch s;
    return s.dir;
}

// Runs photara-cli with its output thrown away; true when it exits with 0.
bool runCli(std::vector<std::string> args) {
    args.insert(args.begin(), PHOTARA_CLI);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string runtime = "XDG_RUNTIME_DIR=" + scratch().string();
    char* envp[] = {runtime.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

void BM_CliRead(benchmark::State& state) {
    for (auto _ : state) {
        if (!runCli({"--virtual-meter", "read", "--json"})) {
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
        if (!runCli({"--virtual-meter", "download", std::to_string(largest + 1), "--format", "csv",
                     "-o", csv.string()})) {
            state.SkipWithError("photara-cli download failed");
            break;
        }
    }
    state.counters["readings"] = sets.recipe(largest).samples;
    if (fs::exists(csv)) state.counters["csv_bytes"] = static_cast<double>(fs::file_size(csv));
}
BENCHMARK(BM_CliDownloadLargestSetToCsv)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
