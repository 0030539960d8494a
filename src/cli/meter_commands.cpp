// info, read, clock, interval and period: the short commands.
#include <cstdio>

#include "cli/cli_meter.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/text_output.h"
#include "core/clock/meter_clock.h"
#include "core/datafile/leading_number.h"
#include "core/link/meter_identity.h"
#include "core/logger/logger_settings.h"
#include "core/meter/meter_session.h"
#include "core/reading/reading.h"

namespace photara::cli {
namespace {

void printHex4(const char* label, std::uint16_t value) {
    std::printf("%s%04x\n", label, value);
}

// The sampling time and the recording period are read by the same rules as the GUI's input
// boxes; a refusal is told on one line.
std::string oneLine(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n"))
        text.replace(at, 2, " ");
    return text;
}

std::optional<int> samplingTimeArgument(const std::string& text, std::string& why) {
    const SamplingTimeAnswer answer = parseSamplingTime(text);
    switch (answer.kind) {
        case SamplingTimeAnswer::Kind::Accept: return answer.seconds;
        case SamplingTimeAnswer::Kind::FormatError:
            why = "'" + text + "' is not hh:mm:ss";
            return std::nullopt;
        case SamplingTimeAnswer::Kind::OutOfRange:
            why = oneLine(samplingTimeRefusal(text, answer));
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<int> periodArgument(const std::string& text, std::string& why) {
    const RecordingPeriodAnswer answer = parseRecordingPeriod(text);
    // The input box cuts a fraction; a script that asks for 1.5 s is told, not given 1 s.
    if (answer.kind == RecordingPeriodAnswer::Kind::Accept &&
        leadingNumber(text) != answer.seconds) {
        why = "'" + text + "' is not a whole number of seconds (" +
              std::to_string(kMinRecordingPeriod) + " to " +
              std::to_string(kMaxRecordingPeriod) + ")";
        return std::nullopt;
    }
    if (answer.kind == RecordingPeriodAnswer::Kind::Accept) return answer.seconds;
    why = oneLine(recordingPeriodRefusal(text, answer));
    return std::nullopt;
}

}  // namespace

// What it can tell while the memory guard refuses (the meter in a mode its memory read would
// disturb): the meter and its ids, with the guard's reason in place of the memory.
int runInfo(const Common& common) {
    CliMeter meter(common);
    const auto found =
        meter.backend().enumerate(meter.meterId().vendorId, meter.meterId().productId);
    if (found.empty()) {
        // A script reads the answer from the JSON as well as from the exit code.
        if (common.json) {
            std::printf("{\"found\":false,\"vendor_id\":\"%04x\",\"product_id\":\"%04x\"}\n",
                        meter.meterId().vendorId, meter.meterId().productId);
        }
        throw meter.notFound("info");
    }
    meter.requireMeter(CliMeter::Guard::None, "info");
    const std::optional<Refusal> refusal = meter.refusal(CliMeter::Guard::Memory);
    std::optional<MemoryStatus> status;
    if (!refusal) {
        const MeterOutcome<MemoryStatus> read = meter.session().readMemory().get();
        if (!read) throw failureError(read.reason(), "info");
        status = *read;
    }
    const std::string refused = refusal ? refusalText(*refusal) : std::string();
    if (common.json) {
        std::printf("{\"found\":true,\"path\":%s,\"vendor_id\":\"%04x\",\"product_id\":\"%04x\",",
                    jsonString(found[0].path).c_str(), found[0].vendorId, found[0].productId);
        if (status) {
            std::printf(
                "\"capacity_kb\":%llu,\"used_kb\":%llu,\"sets\":%d,\"memory_refused\":null}\n",
                static_cast<unsigned long long>(status->capacity),
                static_cast<unsigned long long>(status->used), status->setCount);
        } else {
            std::printf(
                "\"capacity_kb\":null,\"used_kb\":null,\"sets\":null,"
                "\"memory_refused\":%s}\n",
                jsonString(refused).c_str());
        }
        return refusal ? kRefused : kSuccess;
    }
    std::printf("meter:       found\npath:        %s\n", found[0].path.c_str());
    printHex4("vendor id:   ", found[0].vendorId);
    printHex4("product id:  ", found[0].productId);
    if (!status) {
        std::printf("memory:      refused: %s\n", refused.c_str());
        return kRefused;
    }
    std::printf("capacity:    %llu kB\nused:        %llu kB (%d%%)\nsets:        %d\n",
                static_cast<unsigned long long>(status->capacity),
                static_cast<unsigned long long>(status->used), usedPercent(*status),
                status->setCount);
    return kSuccess;
}

int runRead(const Common& common) {
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::None, "read");
    if (common.json) {
        std::printf("%s\n", readingJson(meter.display(), meter.model()).c_str());
        return kSuccess;
    }
    const std::optional<Reading> reading = readingOf(meter.display(), meter.model());
    if (!reading) {
        std::printf("reading:     none (the display shows no number)\n");
    } else {
        const std::string unit(unitSymbol(reading->unit));
        std::printf("reading:     %s%s%s\n",
                    reading->value ? numberText(*reading->value).c_str() : "over range",
                    unit.empty() ? "" : " ", unit.c_str());
        std::printf("shown:       %s%s\nsecondary:   %s\nflags:       %s\n",
                    reading->mainText.c_str(), reading->kilo ? " K" : "",
                    reading->secondary.c_str(), flagsText(reading->flags).c_str());
    }
    std::printf("lit:        ");
    for (const std::string& a : litAnnunciators(meter.display())) std::printf(" %s", a.c_str());
    std::printf("\nlcd:         %s\n", lcdText(meter.display(), meter.model()).c_str());
    return kSuccess;
}

int runClock(const Common& common, bool sync) {
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::Settings, "clock");
    if (sync) {
        if (const auto set = meter.session().setClock(meter.clock().now()).get(); !set)
            throw failureError(set.reason(), "clock");
    }
    const MeterOutcome<LocalDateTime> time =
        meter.session().readClock(WaitingAnswer::Discard).get();
    if (!time) throw failureError(time.reason(), "clock");
    const ZonedDateTime pcZoned = meter.clock().zonedNow();
    const LocalDateTime& pc = pcZoned.local;
    const long long difference = calendarSeconds(*time) - calendarSeconds(pc);
    if (common.json) {
        // The meter keeps local time without a zone; the PC's time says its offset.
        std::printf("{\"meter\":%s,\"pc\":%s,\"difference_s\":%lld}\n",
                    jsonString(isoDateTime(*time)).c_str(),
                    jsonString(isoZonedTime(pcZoned)).c_str(), difference);
    } else {
        std::printf("meter:       %s\npc:          %s\ndifference:  %+lld s%s\n",
                    formatMeterClock(*time).c_str(), formatLocalTime(pc).c_str(), difference,
                    sync ? " (after setting the meter's clock)" : "");
    }
    return kSuccess;
}

int runInterval(const Common& common, const std::optional<std::string>& value) {
    std::optional<int> seconds;
    if (value) {
        std::string why;
        seconds = samplingTimeArgument(*value, why);
        if (!seconds) throw CliError(kUsage, "interval: " + why);
    }
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::Settings, "interval");
    if (seconds) {
        if (const auto set = meter.session().setSamplingTime(*seconds).get(); !set)
            throw failureError(set.reason(), "interval");
        return kSuccess;
    }
    const MeterOutcome<int> current = meter.session().readSamplingTime().get();
    if (!current) throw failureError(current.reason(), "interval");
    std::printf("%s\n", formatSamplingTime(*current).c_str());
    return kSuccess;
}

int runPeriod(const Common& common, const std::optional<std::string>& value) {
    std::optional<int> seconds;
    if (value) {
        std::string why;
        seconds = periodArgument(*value, why);
        if (!seconds) throw CliError(kUsage, "period: " + why);
    }
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::Settings, "period");
    if (!seconds) {
        const MeterOutcome<int> current = meter.session().readRecordingPeriod().get();
        if (!current) throw failureError(current.reason(), "period");
        std::printf("%d\n", *current);
        return kSuccess;
    }
    if (const auto set = meter.session().changeRecordingPeriod(*seconds).get(); !set)
        throw failureError(set.reason(), "period");
    return kSuccess;
}

}  // namespace photara::cli
