#include "core/meter/wire_sequences.h"

#include <algorithm>

#include "core/meter/clock_ops.h"
#include "core/meter/display_ops.h"
#include "core/meter/settings_ops.h"

namespace photara {

MeterOutcome<MemoryStatus> readMemory(MeterLink& link) {
    discardWaitingAnswer(link);
    return readMemoryStatus(link);
}

MeterOutcome<SetList> readSets(MeterLink& link, const TransferProgress& progress) {
    const MeterOutcome<MemoryStatus> status = readMemory(link);
    if (!status) return fail(status.reason());
    SetList list{*status, {}};
    if (status->setCount == 0) return list;
    auto identifiers = readDirectory(link, status->setCount, progress);
    if (!identifiers) return fail(identifiers.reason());
    list.identifiers = std::move(*identifiers);
    return list;
}

MeterOutcome<DownloadedSet> downloadListedSet(MeterLink& link, std::string_view identifier,
                                              const TransferProgress& progress) {
    discardWaitingAnswer(link);
    return downloadSet(link, identifier, progress);
}

MeterOutcome<SetErase> eraseSetIfListed(MeterLink& link, const std::string& identifier) {
    const MeterOutcome<SetList> sets = readSets(link);
    if (!sets) return fail(sets.reason());
    const auto& ids = sets->identifiers;
    if (std::find(ids.begin(), ids.end(), identifier) == ids.end()) return SetErase::Gone;
    if (const MeterOutcome<void> erased = eraseSet(link, identifier); !erased)
        return fail(erased.reason());
    return SetErase::Erased;
}

MeterOutcome<void> eraseAllSets(MeterLink& link, WaitingAnswer waiting) {
    if (waiting == WaitingAnswer::Discard) discardWaitingAnswer(link);
    return eraseAll(link);
}

MeterOutcome<int> readSamplingTimeNow(MeterLink& link) {
    discardWaitingAnswer(link);
    return readSamplingTime(link);
}

MeterOutcome<int> readRecordingPeriodNow(MeterLink& link) {
    discardWaitingAnswer(link);
    return readRecordingPeriod(link);
}

MeterOutcome<void> changeRecordingPeriod(MeterLink& link, int seconds) {
    if (const MeterOutcome<int> current = readRecordingPeriodNow(link); !current)
        return fail(current.reason());
    return setRecordingPeriod(link, seconds);
}

MeterOutcome<LocalDateTime> readMeterClockNow(MeterLink& link) {
    discardWaitingAnswer(link);
    return readMeterClock(link);
}

}  // namespace photara
