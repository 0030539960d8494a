#pragma once

#include <cstddef>
#include <string>

#include "core/common/local_time.h"
#include "core/export/recording_reader.h"

namespace photara {

// What the live window says as news (on its bar and the panel's status line), in words.

// "1 row", "3 rows".
std::string countText(std::size_t n, const char* one, const char* many);
// A recording ended: "Recorded 6 rows to photara-….csv".
std::string recordedNews(std::size_t rows, const std::string& fileName);
// A recording started with no meter answering.
std::string recordingWaitsNews();
// A recording read back: "12 rows", or "12 rows; 1 incomplete row skipped" when some were torn.
std::string openedRecordingNews(const RecordingReadResult& result);
// The meter went away (back false) or came back at `at`.
std::string connectionNews(bool back, const LocalDateTime& at);

}  // namespace photara
