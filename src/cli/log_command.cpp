// log: polls the meter and writes one row per reading as it arrives, through the same
// recording file the GUI's live window writes (CSV to a file), or to standard output.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <thread>

#include "cli/cli_meter.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/text_output.h"
#include "core/export/recording_file.h"
#include "core/export/recording_rows.h"
#include "core/reading/reading.h"

namespace photara::cli {
namespace {

using Steady = std::chrono::steady_clock;

// One JSON object per row: the recording file's columns, value null when there is none.
std::string jsonRecord(const RecordingRow& row) {
    char elapsed[32];
    std::snprintf(elapsed, sizeof elapsed, "%.3f", row.elapsedSeconds);
    std::string value = "null";
    if (row.value) value = numberText(*row.value);
    std::string flags;
    for (std::size_t i = 0; i < static_cast<std::size_t>(ReadingFlag::Count_); ++i) {
        if (!row.flags.test(i)) continue;
        flags += (flags.empty() ? "" : ",") +
                 jsonString(flagName(static_cast<ReadingFlag>(i)));
    }
    return "{\"time\":" + jsonString(iso8601(row.time)) + ",\"elapsed_s\":" + elapsed +
           ",\"value\":" + value + ",\"unit\":" + jsonString(unitText(row.unit)) +
           ",\"display\":" + jsonString(row.display) + ",\"flags\":[" + flags +
           "],\"event\":" + jsonString(eventName(row.event)) + "}\n";
}

// Where rows go: the recording file (CSV with -o), or standard output flushed row by row.
class RowSink {
  public:
    RowSink(const LogRequest& request, const Clock& clock) : clock_(clock), json_(request.json) {
        if (!request.output.empty() && !json_) {
            std::string error;
            file_ = RecordingFile::create(request.output, clock, error);
            if (!file_) throw CliError(kFileError, "log: " + error);
            return;
        }
        if (!request.output.empty()) {
            stream_ = std::fopen(request.output.c_str(), "w");
            if (!stream_) throw CliError(kFileError, "log: cannot create " + request.output);
        }
        started_ = clock.zonedNow();
        startedAt_ = Steady::now();
        if (!json_) put(recordingHeader());
    }
    ~RowSink() {
        if (stream_ && stream_ != stdout) std::fclose(stream_);
    }

    void reading(const Reading& r) {
        if (file_) return check(file_->append(r));
        put(record(readingRow(r, clock_.zonedNow(), elapsed())));
    }
    void event(RecordingEvent e) {
        if (file_) return check(file_->append(e));
        put(record(eventRow(e, clock_.zonedNow(), elapsed())));
    }
    // Syncs a file at most once a second.
    void tick() {
        if (file_) return file_->syncIfDue();
        if (stream_ != stdout && Steady::now() - lastSync_ >= std::chrono::seconds(1)) {
            (void)::fdatasync(::fileno(stream_));
            lastSync_ = Steady::now();
        }
    }
    void close() {
        if (file_ && !file_->close()) throw CliError(kFileError, "log: " + file_->error());
        if (stream_ != stdout && std::fflush(stream_) != 0)
            throw CliError(kFileError, "log: cannot write the file");
    }

  private:
    double elapsed() const {
        return std::chrono::duration<double>(Steady::now() - startedAt_).count();
    }
    std::string record(const RecordingRow& row) const {
        return json_ ? jsonRecord(row) : recordingRecord(row);
    }
    void put(const std::string& text) {
        if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size() ||
            std::fflush(stream_) != 0)
            throw CliError(kFileError, "log: cannot write the rows");
    }
    void check(bool written) {
        if (!written) throw CliError(kFileError, "log: " + file_->error());
    }

    const Clock& clock_;
    bool json_;
    std::unique_ptr<RecordingFile> file_;
    std::FILE* stream_ = stdout;
    ZonedDateTime started_;
    Steady::time_point startedAt_;
    Steady::time_point lastSync_ = Steady::now();
};

struct Summary {
    long rows = 0;
    long gaps = 0;
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    double sum = 0;
    long values = 0;
    ReadingUnit unit = ReadingUnit::None;

    void add(const Reading& r) {
        ++rows;
        if (!r.value) return;
        min = std::min(min, *r.value);
        max = std::max(max, *r.value);
        sum += *r.value;
        ++values;
        unit = r.unit;
    }
    void print() const {
        std::fprintf(stderr, "log: %ld rows, %ld gaps", rows, gaps);
        if (values > 0) {
            const std::string u(unitText(unit));
            std::fprintf(stderr, ", min %s, max %s, mean %.6g%s%s", numberText(min).c_str(),
                         numberText(max).c_str(), sum / static_cast<double>(values),
                         u.empty() ? "" : " ", u.c_str());
        }
        std::fprintf(stderr, "\n");
    }
};

}  // namespace

int runLog(const Common& common, LogRequest request) {
    request.json = request.json || common.json;
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::None, "log");
    RowSink sink(request, meter.clock());
    Summary summary;

    const auto interval = std::chrono::duration_cast<Steady::duration>(
        std::chrono::duration<double>(request.intervalSeconds));
    const Steady::time_point start = Steady::now();
    Steady::time_point next = start;
    bool connected = true;
    bool first = true;
    while (!interrupted()) {
        const bool answered = first || meter.poll().ok();
        first = false;  // the guard's poll is the first
        if (answered != connected) {
            sink.event(answered ? RecordingEvent::Reconnected : RecordingEvent::Disconnected);
            if (!answered) ++summary.gaps;
            connected = answered;
        }
        if (answered) {
            if (const std::optional<Reading> reading = readingOf(meter.display(), meter.model())) {
                sink.reading(*reading);
                summary.add(*reading);
            }
        }
        sink.tick();
        if (request.count && summary.rows >= *request.count) break;
        // A poll that overran (a reconnect waits up to a second) is not caught up in a burst.
        next += interval;
        if (next < Steady::now()) next = Steady::now() + interval;
        if (request.durationSeconds &&
            next - start > std::chrono::duration<double>(*request.durationSeconds))
            break;
        std::this_thread::sleep_until(next);  // a signal ends the wait early
    }
    sink.close();
    summary.print();
    return interrupted() ? kInterrupted : kSuccess;
}

}  // namespace photara::cli
