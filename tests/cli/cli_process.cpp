#include "cli_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace photara::test {

namespace {
// The terminals started programs read from, by process.
std::map<pid_t, int>& terminals() {
    static std::map<pid_t, int> open;
    return open;
}
}  // namespace

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

pid_t startProgram(const std::string& program, std::vector<std::string> args,
                   std::vector<std::string> env, const std::filesystem::path& scratch,
                   const RunOptions& options) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int terminal = -1;  // the terminal's other end, where the user types
    if (options.terminalInput) {
        terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0) {
            posix_spawn_file_actions_addopen(&actions, 0, ::ptsname(terminal), O_RDWR, 0);
        }
    } else {
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    }
    const std::string out =
        options.stdoutPath.empty() ? (scratch / "stdout").string() : options.stdoutPath;
    const std::string err = (scratch / "stderr").string();
    int pipeEnds[2] = {-1, -1};
    if (options.stdoutReaderGone && ::pipe(pipeEnds) == 0) {
        ::close(pipeEnds[0]);  // the reader has gone before the first row
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
    }
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    // The child inherits the limit (and ignores SIGXFSZ, so a write past it fails as on a
    // full disk instead of killing it); this process has them only around the spawn.
    rlimit oldLimit{};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    struct sigaction oldXfsz {};
    if (options.fileSizeLimit > 0) {
        rlimit limit = oldLimit;
        limit.rlim_cur = static_cast<rlim_t>(options.fileSizeLimit);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &oldXfsz);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    if (options.fileSizeLimit > 0) {
        ::setrlimit(RLIMIT_FSIZE, &oldLimit);
        ::sigaction(SIGXFSZ, &oldXfsz, nullptr);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
    if (terminal >= 0) {
        if (spawned == 0 && !options.typed.empty())
            (void)!::write(terminal, options.typed.data(), options.typed.size());
        terminals()[pid] = terminal;  // open until the program ended: closing it hangs up
    }
    return spawned == 0 ? pid : -1;
}

CliRun finishProgram(pid_t pid, const std::filesystem::path& scratch,
                     std::chrono::milliseconds timeout) {
    CliRun result;
    if (pid < 0) {
        result.err = "cannot start the program";
        return result;
    }
    struct CloseTerminal {
        pid_t pid;
        ~CloseTerminal() {
            if (const auto it = terminals().find(pid); it != terminals().end()) {
                ::close(it->second);
                terminals().erase(it);
            }
        }
    } closeTerminal{pid};
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.err = "did not end in time\n";
            result.err += slurp(scratch / "stderr");
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = slurp(scratch / "stdout");
    result.err = slurp(scratch / "stderr");
    return result;
}

CliRun runProgram(const std::string& program, std::vector<std::string> args,
                  std::vector<std::string> env, const std::filesystem::path& scratch,
                  const RunOptions& options) {
    return finishProgram(startProgram(program, std::move(args), std::move(env), scratch, options),
                         scratch);
}

}  // namespace photara::test
