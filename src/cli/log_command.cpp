// log: polls the meter and hands every poll to the live feed the GUI's live window uses; its
// recording is the output (CSV to a file), or its rows are written out as JSON lines or to
// standard output. The closing summary is the feed's statistics.
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "cli/cli_meter.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/interrupt.h"
#include "cli/jsonl_row.h"
#include "cli/row_writer.h"
#include "cli/text_output.h"
#include "core/reading/reading.h"
#include "core/series/live_feed.h"

namespace photara::cli {
namespace {

using Steady = std::chrono::steady_clock;

// Where the feed's rows go: its own recording file (CSV with -o), or a whole-row writer (JSON
// lines, standard output) that the feed hands each row to.
class LogOutput {
  public:
    LogOutput(const LogRequest& request, LiveFeed& feed) : feed_(feed), json_(request.format == LogFormat::Jsonl) {
        std::string error;
        if (!request.output.empty() && !json_) {
            if (!feed_.startRecording(request.output, error))
                throw CliError(kFileError, "log: " + error);
            return;
        }
        writer_ = request.output.empty() ? RowWriter::standardOutput()
                                         : RowWriter::create(request.output, error);
        if (!writer_) throw CliError(kFileError, "log: " + error);
        feed_.setRowListener([this](const RecordingRow& row) { rowsToWrite_.push_back(row); });
        if (!json_) writer_->write(recordingHeader());
    }

    // Writes out what the last poll recorded and syncs when due; false once writing failed.
    bool pass() {
        feed_.tick();
        if (!writer_) {
            rows_ = static_cast<long>(feed_.recording()->rows());
            return !feed_.recording()->failed();
        }
        for (const RecordingRow& row : rowsToWrite_) {
            if (!writer_->write(json_ ? jsonlRecord(row) : recordingRecord(row))) break;
            ++rows_;
        }
        rowsToWrite_.clear();
        writer_->syncIfDue();
        return !writer_->failed();
    }
    // Rows in the output (readings and events).
    long rows() const { return rows_; }

    // Stops the recording; the reason when the output failed, empty when all is written or
    // the reader of standard output went away (head has read enough: not a failure).
    std::string close() {
        std::string error;
        if (!writer_) return feed_.stopRecording(error) ? std::string() : error;
        pass();
        feed_.stopRecording(error);
        if (!writer_->close() && !writer_->readerGone()) return writer_->error();
        return {};
    }

  private:
    LiveFeed& feed_;
    bool json_;
    std::vector<RecordingRow> rowsToWrite_;  // handed over by the feed since the last pass
    std::unique_ptr<RowWriter> writer_;
    long rows_ = 0;
};

// "log: 20 rows, 0 gaps, min 126.7, max 140.2, mean 133.1 cd/m²": the feed's statistics,
// as the live window shows them.
void printSummary(long rows, const LiveFeed& feed) {
    std::fprintf(stderr, "log: %ld rows, %zu gaps", rows, feed.series().gapCount());
    const Statistics s = feed.series().total();
    if (s.n > 0) {
        // The trend keeps single precision: six digits say all it holds.
        std::fprintf(stderr, ", min %.6g, max %.6g, mean %.6g %s", s.min, s.max, s.mean,
                     std::string(unitSymbol(ReadingUnit::CdPerM2)).c_str());
    }
    std::fprintf(stderr, "\n");
}

}  // namespace

int runLog(const Common& common, const LogRequest& request) {
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::None, "log");
    LiveFeed feed(meter.clock());
    LogOutput output(request, feed);

    const auto interval = std::chrono::duration_cast<Steady::duration>(
        std::chrono::duration<double>(request.intervalSeconds));
    const Steady::time_point start = Steady::now();
    Steady::time_point next = start;
    long readings = 0;
    bool first = true;
    bool written = true;
    while (!interrupted()) {
        const bool answered = first || meter.poll().ok();
        first = false;  // the guard's poll is the first
        std::optional<Reading> reading;
        if (answered) reading = readingOf(meter.display(), meter.model());
        feed.onPoll(answered, reading, lcdText(meter.display(), meter.model()));
        if (reading) ++readings;
        written = output.pass();
        if (!written || (request.count && readings >= *request.count)) break;
        // A poll that overran (a reconnect waits up to a second) is not caught up in a burst.
        next += interval;
        if (next < Steady::now()) next = Steady::now() + interval;
        if (request.durationSeconds &&
            next - start > std::chrono::duration<double>(*request.durationSeconds))
            break;
        if (waitUntil(next)) break;
    }
    const std::string failure = output.close();
    printSummary(output.rows(), feed);
    if (!failure.empty()) throw CliError(kFileError, "log: " + failure);
    return interrupted() ? kInterrupted : kSuccess;
}

}  // namespace photara::cli
