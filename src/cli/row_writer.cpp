#include "cli/row_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace photara::cli {

std::unique_ptr<RowWriter> RowWriter::create(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "Cannot create " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<RowWriter>(new RowWriter(fd, path, true));
}

std::unique_ptr<RowWriter> RowWriter::standardOutput() {
    return std::unique_ptr<RowWriter>(new RowWriter(STDOUT_FILENO, "standard output", false));
}

RowWriter::RowWriter(int fd, std::string name, bool owned)
    : fd_(fd), name_(std::move(name)), owned_(owned), syncer_(makeBackgroundSyncer()),
      records_(fd) {}

RowWriter::~RowWriter() {
    close();
}

bool RowWriter::write(std::string_view record) {
    if (failed() || fd_ < 0) return false;
    if (const int err = records_.write(record); err != 0) {
        fail(err);
        return false;
    }
    dirty_ = true;
    return true;
}

void RowWriter::syncIfDue() {
    if (fd_ < 0 || failed()) return;
    if (const int err = syncer_->takeError(); err != 0) return fail(err);
    const auto now = std::chrono::steady_clock::now();
    if (!dirty_ || now - lastSync_ < std::chrono::seconds(1)) return;
    syncer_->requestSync(fd_);
    lastSync_ = now;
    dirty_ = false;
}

bool RowWriter::close() {
    if (fd_ < 0) return !failed();
    syncer_->requestSync(fd_);
    syncer_->drain();
    if (const int err = syncer_->takeError(); err != 0) fail(err);
    if (owned_ && ::close(fd_) != 0) fail(errno);
    fd_ = -1;
    return !failed();
}

void RowWriter::fail(int err) {
    if (failed()) return;
    errno_ = err;
    error_ = "writing " + name_ + " failed (" + std::strerror(err) +
             "); every row before the error is whole there.";
}

}  // namespace photara::cli
