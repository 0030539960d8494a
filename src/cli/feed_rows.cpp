#include "cli/feed_rows.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/export/recording_reader.h"

namespace photara::cli {

FeedRowTap::~FeedRowTap() {
    if (readEnd_ >= 0) ::close(readEnd_);
}

bool FeedRowTap::start(LiveFeed& feed, std::string& error) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        error = std::string("Cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    readEnd_ = ends[0];
    (void)::fcntl(readEnd_, F_SETFL, O_NONBLOCK);
    // The recording opens the pipe's write end by its name, as it opens any file.
    const bool started = feed.startRecording("/proc/self/fd/" + std::to_string(ends[1]), error);
    ::close(ends[1]);
    return started;
}

std::vector<RecordingRow> FeedRowTap::take() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(readEnd_, buffer, sizeof buffer);
        if (n > 0) {
            pending_.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;  // drained (EAGAIN) or the recording closed its end
    }
    std::vector<RecordingRow> rows;
    std::size_t from = 0;
    for (std::size_t end = pending_.find("\r\n"); end != std::string::npos;
         end = pending_.find("\r\n", from)) {
        const std::string_view line(pending_.data() + from, end - from);
        from = end + 2;
        if (!headerSeen_) {
            headerSeen_ = true;
            continue;
        }
        const auto fields = csvLineFields(line);
        if (!fields) continue;
        if (std::optional<RecordingRow> row = parseRecordingRow(*fields)) rows.push_back(*row);
    }
    pending_.erase(0, from);
    return rows;
}

}  // namespace photara::cli
