#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/common/local_time.h"
#include "core/export/recording_rows.h"
#include "core/export/whole_records.h"

namespace photara {

// Makes what was written to a file durable (fdatasync). The recording asks at most once a
// second; the default works on a thread of its own, so the caller never waits for the disk.
class FileSyncer {
  public:
    virtual ~FileSyncer() = default;
    virtual void requestSync(int fd) = 0;
    // errno of a sync that failed since the last call, 0 when none did.
    virtual int takeError() = 0;
    // Waits for a requested sync to finish (before the file is closed).
    virtual void drain() = 0;
};

std::unique_ptr<FileSyncer> makeBackgroundSyncer();

// A recording file that owns its file: it writes the header, then each reading or event as
// one whole row the moment it arrives, and has the file synced to disk at least once a
// second, so a crash or a power cut loses at most the last second and never leaves a torn
// row. A write error stops the recording: the file is cut back to its last whole row and
// error() says where the file is. Plain C++: the GUI and the command line share it.
class RecordingFile {
  public:
    // Creates (or replaces) the file at path and writes the header; nothing, with the reason
    // in error, when that fails.
    static std::unique_ptr<RecordingFile> create(const std::string& path, const Clock& clock,
                                                 std::string& error,
                                                 std::unique_ptr<FileSyncer> syncer = nullptr);
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // One row at the clock's time; false once the recording has stopped on an error.
    bool append(const Reading& reading);
    bool append(RecordingEvent event, std::string_view display = {}, std::string_view detail = {});
    // Asks for a sync when the last one is a second old and rows came since; call it from a
    // timer too, so rows are synced when no more arrive.
    void syncIfDue();
    // Syncs and closes the file; false when that failed (error() says why).
    bool close();

    bool failed() const { return !error_.empty(); }
    // Why the recording stopped: where the file is and that the rows before are intact.
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    std::size_t rows() const { return rows_; }  // readings and events, not the header
    const ZonedDateTime& started() const { return started_; }
    double elapsedSeconds() const;

  private:
    RecordingFile(int fd, std::string path, const Clock& clock, std::unique_ptr<FileSyncer> syncer);
    bool write(const std::string& record);
    void fail(int err);
    bool appendRow(const RecordingRow& row);

    int fd_;
    std::string path_;
    const Clock& clock_;
    std::unique_ptr<FileSyncer> syncer_;
    ZonedDateTime started_;
    std::int64_t startMs_;
    std::int64_t lastSyncMs_;
    bool dirty_ = false;
    WholeRecords records_;
    std::size_t rows_ = 0;
    std::string error_;
    int errno_ = 0;
};

}  // namespace photara
