#include "cli/progress_line.h"

#include <unistd.h>

namespace photara::cli {

bool ProgressThrottle::due(int percent, Time now) {
    if (percent == drawn_) return false;
    if (drawn_ >= 0 && percent != 100 && now - drawnAt_ < std::chrono::milliseconds(100))
        return false;
    drawn_ = percent;
    drawnAt_ = now;
    return true;
}

ProgressLine::ProgressLine(std::string label)
    : label_(std::move(label)), terminal_(::isatty(STDERR_FILENO) != 0) {}

ProgressLine::~ProgressLine() {
    if (terminal_) std::fprintf(stderr, "\r\033[K");
}

void ProgressLine::show(int percent) {
    if (terminal_ && throttle_.due(percent, std::chrono::steady_clock::now()))
        std::fprintf(stderr, "\r%s: %3d%%", label_.c_str(), percent);
}

}  // namespace photara::cli
