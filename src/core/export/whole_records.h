#pragma once

#include <string_view>

namespace photara {

// Writes records (a CSV row, a JSON line) to an open descriptor, each whole or not at all: a
// write that fails part-way (a full disk) is cut back to the last whole record where the
// descriptor is a regular file. A pipe or a device cannot be cut; a reader skips the torn
// record there. Shared by the recording file and photara-cli's outputs.
class WholeRecords {
  public:
    // Starts where the descriptor stands now (at the file's end when it appends).
    explicit WholeRecords(int fd);

    // 0, or the errno of the write that failed (ENOSPC when it wrote nothing).
    int write(std::string_view record);

  private:
    int fd_;
    long long wholeBytes_ = -1;  // the file's length up to its last whole record; -1: not a file
};

}  // namespace photara
