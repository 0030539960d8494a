#pragma once

#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "core/export/recording_file.h"
#include "core/export/whole_records.h"

namespace photara::cli {

// Writes records (a CSV row, a JSON line) to a file or to standard output, each whole or
// not at all: a write that fails part-way (a full disk) is cut back to the last whole
// record where the output is a file, and the writer stops with a message that names the
// output. A file is synced at most once a second, off this thread.
class RowWriter {
  public:
    // Creates (or replaces) the file at path; nothing, with the reason in error, on failure.
    static std::unique_ptr<RowWriter> create(const std::string& path, std::string& error);
    // Standard output, as it is (a pipe, a terminal, a file opened for appending).
    static std::unique_ptr<RowWriter> standardOutput();
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    // False once the writer has stopped on an error.
    bool write(std::string_view record);
    void syncIfDue();
    // Syncs and closes a file; false when that failed.
    bool close();

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }
    // The write failed because the reader of a pipe went away (head -1 has read its line).
    bool readerGone() const { return errno_ == EPIPE; }

  private:
    RowWriter(int fd, std::string name, bool owned);
    void fail(int err);

    int fd_;
    std::string name_;
    bool owned_;
    std::unique_ptr<FileSyncer> syncer_;
    WholeRecords records_;
    bool dirty_ = false;
    std::chrono::steady_clock::time_point lastSync_ = std::chrono::steady_clock::now();
    std::string error_;
    int errno_ = 0;
};

}  // namespace photara::cli
