#include "cli/interrupt.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace photara::cli {
namespace {

volatile std::sig_atomic_t gInterrupted = 0;
int gWake[2] = {-1, -1};  // written by the handler, polled by waitUntil

void onSignal(int) {
    const int saved = errno;
    gInterrupted = 1;
    const char byte = 1;
    if (gWake[1] >= 0) (void)!::write(gWake[1], &byte, 1);
    errno = saved;
}

}  // namespace

void installInterruptHandler() {
    if (gWake[0] < 0 && ::pipe2(gWake, O_CLOEXEC | O_NONBLOCK) != 0) gWake[0] = gWake[1] = -1;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool interrupted() {
    return gInterrupted != 0;
}

bool waitUntil(std::chrono::steady_clock::time_point deadline) {
    return waitForInput(deadline, -1) == WaitEnd::Interrupted;
}

WaitEnd waitForInput(std::chrono::steady_clock::time_point deadline, int fd) {
    using namespace std::chrono;
    while (!interrupted()) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now());
        if (left <= milliseconds::zero()) return WaitEnd::Deadline;
        // Rounded up, so the wait never ends a little early and spins.
        const int ms = static_cast<int>(std::min<long long>(left.count() + 1, 1000));
        if (gWake[0] < 0 && fd < 0) {
            ::usleep(static_cast<useconds_t>(std::min(ms, 50)) * 1000);
            continue;
        }
        pollfd fds[2] = {{gWake[0], POLLIN, 0}, {fd, POLLIN, 0}};
        ::poll(fds, 2, gWake[0] < 0 ? std::min(ms, 50) : ms);
        if (interrupted()) break;
        if (fd >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) return WaitEnd::Input;
    }
    return WaitEnd::Interrupted;
}

}  // namespace photara::cli
