#include "core/series/live_news.h"

#include <cstdio>

namespace photara {

std::string countText(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string recordedNews(std::size_t rows, const std::string& fileName) {
    return "Recorded " + countText(rows, "row", "rows") + " to " + fileName;
}

std::string recordingWaitsNews() {
    return "No meter answers: the recording waits for it; rows begin when it answers.";
}

std::string openedRecordingNews(const RecordingReadResult& result) {
    if (result.skipped == 0) return std::to_string(result.rows) + " rows";
    return countText(result.rows, "row", "rows") + "; " +
           countText(result.skipped, "incomplete row", "incomplete rows") + " skipped";
}

std::string connectionNews(bool back, const LocalDateTime& at) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", at.hour % 100, at.minute % 100, at.second % 100);
    return back ? std::string("The meter is back (") + time + "); the trend goes on after a gap."
                : std::string("The meter went away at ") + time +
                      "; the trend and the recording go on when it is back.";
}

}  // namespace photara
