#include "bridge_control.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace photara::test {

BridgeControl::BridgeControl(const std::string& dir) {
    in_ = ::open((dir + "/in").c_str(), O_WRONLY | O_CLOEXEC);
    out_ = ::open((dir + "/out").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in_ < 0 || out_ < 0) {
        throw std::system_error(errno, std::generic_category(), "bridge control " + dir);
    }
}

BridgeControl::~BridgeControl() {
    ::close(in_);
    ::close(out_);
}

std::string BridgeControl::send(const std::string& command) {
    const std::string line = command + "\n";
    if (::write(in_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        throw std::system_error(errno, std::generic_category(), "bridge command " + command);
    }
    for (;;) {
        if (const std::size_t eol = pending_.find('\n'); eol != std::string::npos) {
            std::string reply = pending_.substr(0, eol);
            pending_.erase(0, eol + 1);
            return reply;
        }
        pollfd p{out_, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0) throw std::runtime_error("no reply to " + command);
        std::array<char, 256> buf{};
        const ssize_t n = ::read(out_, buf.data(), buf.size());
        // End of file: the bridge is gone and no reply will come (poll would keep waking).
        if (n == 0) throw std::runtime_error("the bridge closed its replies before " + command);
        if (n > 0) pending_.append(buf.data(), static_cast<std::size_t>(n));
    }
}

long BridgeControl::stat(const std::string& name) {
    const std::string reply = send("stats");
    const std::size_t at = reply.find(" " + name + "=");
    if (at == std::string::npos) throw std::runtime_error("no " + name + " in " + reply);
    return std::stol(reply.substr(at + name.size() + 2));
}

}  // namespace photara::test
