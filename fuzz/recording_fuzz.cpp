// Any bytes as a recording file: the reader must take them without a crash, and every row it
// hands on must be whole: written out again, it reads back as the same row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/export/recording_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::size_t handed = 0;
    const auto result = photara::readRecording(in, [&](const photara::RecordingRow& row) {
        ++handed;
        std::istringstream again(photara::recordingRecord(row));
        std::size_t same = 0;
        const auto back = photara::readRecording(again, [&](const photara::RecordingRow& r) {
            // Elapsed seconds are written to the millisecond.
            if (r.value == row.value && r.display == row.display && r.event == row.event &&
                r.time == row.time) {
                ++same;
            }
        });
        if (same != 1 || back.skipped != 0) std::abort();
    });
    if (handed != result.rows) std::abort();
    return 0;
}
