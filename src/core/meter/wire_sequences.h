#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/common/local_time.h"
#include "core/link/meter_link.h"
#include "core/logger/memory_status.h"
#include "core/meter/logger_ops.h"

namespace photara {

// The meter's operations as the front ends use them: each sequence keeps the wire rules the
// meter needs (an answer left waiting is read and thrown away before a logger, settings or
// clock read; the directory only after the status; the recording period set only right
// after it was read), so no caller can get the order wrong.

// Whether an answer that may still be waiting is read and thrown away first.
enum class WaitingAnswer { Discard, Keep };

// The memory status and the identifiers of every set it lists.
struct SetList {
    MemoryStatus status;
    std::vector<std::string> identifiers;  // sets 1..status.setCount
};

// Discard, status. 
MeterOutcome<MemoryStatus> readMemory(MeterLink& link);

// Discard, status, then the directory when the memory holds a set.
MeterOutcome<SetList> readSets(MeterLink& link, const TransferProgress& progress = {});

// Discard, then the set's size and data.
MeterOutcome<DownloadedSet> downloadListedSet(MeterLink& link, std::string_view identifier,
                                              const TransferProgress& progress = {});

enum class SetErase { Erased, Gone };
// Reads the sets now and erases the set only while the directory still lists it: a list
// filled long ago may name a set that is gone, and the erase's answer does not say whether
// the meter held it. Erased means the meter acknowledged the erase.
MeterOutcome<SetErase> eraseSetIfListed(MeterLink& link, const std::string& identifier);

// Erases every set; the meter acknowledges with an answer.
MeterOutcome<void> eraseAllSets(MeterLink& link, WaitingAnswer waiting);

// Discard, then the setting.
MeterOutcome<int> readSamplingTimeNow(MeterLink& link);
MeterOutcome<int> readRecordingPeriodNow(MeterLink& link);
// Discard, read the period, then set it: the meter takes the set request for a setting only
// right after the read (its command number is also the MEM key's code).
MeterOutcome<void> changeRecordingPeriod(MeterLink& link, int seconds);

// Discard, then the meter's clock.
MeterOutcome<LocalDateTime> readMeterClockNow(MeterLink& link);

}  // namespace photara
