#pragma once

#include <string>
#include <vector>

#include "core/export/recording_rows.h"
#include "core/series/live_feed.h"

namespace photara::cli {

// The rows a LiveFeed records, handed back as rows: the feed's recording goes into a pipe
// that this end reads, so log can write JSON lines, or CSV to standard output, from the very
// rows (readings and events) the live window's recording file holds, by the feed's rules.
// Each poll writes a few rows; take() after every poll keeps the pipe far from full.
class FeedRowTap {
  public:
    FeedRowTap() = default;
    ~FeedRowTap();
    FeedRowTap(const FeedRowTap&) = delete;
    FeedRowTap& operator=(const FeedRowTap&) = delete;

    // Starts the feed's recording into the tap; false with the reason.
    bool start(LiveFeed& feed, std::string& error);
    // The rows recorded since the last call, in order (the header is not a row).
    std::vector<RecordingRow> take();

  private:
    int readEnd_ = -1;
    std::string pending_;  // bytes of a record not yet whole
    bool headerSeen_ = false;
};

}  // namespace photara::cli
