#include "core/export/recording_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

namespace photara {
namespace {

constexpr std::int64_t kSyncIntervalMs = 1000;

class BackgroundSyncer final : public FileSyncer {
  public:
    BackgroundSyncer() : thread_([this] { run(); }) {}
    ~BackgroundSyncer() override {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    void requestSync(int fd) override {
        {
            std::lock_guard lock(mutex_);
            fd_ = fd;
        }
        wake_.notify_all();
    }

    int takeError() override {
        std::lock_guard lock(mutex_);
        return std::exchange(error_, 0);
    }

    void drain() override {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return fd_ < 0 && !busy_; });
    }

  private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stop_ || fd_ >= 0; });
            if (fd_ < 0 && stop_) return;
            const int fd = std::exchange(fd_, -1);
            busy_ = true;
            lock.unlock();
            // A device (a pipe, /dev/null) cannot be synced and needs not be.
            const int err = ::fdatasync(fd) == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
            lock.lock();
            busy_ = false;
            if (err != 0) error_ = err;
            idle_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    int fd_ = -1;
    bool busy_ = false;
    bool stop_ = false;
    int error_ = 0;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<FileSyncer> makeBackgroundSyncer() { return std::make_unique<BackgroundSyncer>(); }

std::unique_ptr<RecordingFile> RecordingFile::create(const std::string& path, const Clock& clock,
                                                     std::string& error,
                                                     std::unique_ptr<FileSyncer> syncer) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "Cannot create " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<RecordingFile> file(
        new RecordingFile(fd, path, clock, syncer ? std::move(syncer) : makeBackgroundSyncer()));
    if (!file->write(recordingHeader())) {
        error = "Cannot write " + path + ": " + std::strerror(file->errno_);
        return nullptr;
    }
    file->syncer_->requestSync(fd);
    return file;
}

RecordingFile::RecordingFile(int fd, std::string path, const Clock& clock,
                             std::unique_ptr<FileSyncer> syncer)
    : fd_(fd),
      path_(std::move(path)),
      clock_(clock),
      syncer_(std::move(syncer)),
      started_(clock.zonedNow()),
      startMs_(epochMilliseconds(started_)),
      lastSyncMs_(startMs_),
      records_(fd) {}

RecordingFile::~RecordingFile() { close(); }

double RecordingFile::elapsedSeconds() const {
    return static_cast<double>(epochMilliseconds(clock_.zonedNow()) - startMs_) / 1000.0;
}

bool RecordingFile::append(const Reading& reading) {
    const ZonedDateTime now = clock_.zonedNow();
    return appendRow(
        readingRow(reading, now, static_cast<double>(epochMilliseconds(now) - startMs_) / 1000.0));
}

bool RecordingFile::append(RecordingEvent event, std::string_view display,
                           std::string_view detail) {
    const ZonedDateTime now = clock_.zonedNow();
    return appendRow(eventRow(event, now,
                              static_cast<double>(epochMilliseconds(now) - startMs_) / 1000.0,
                              display, detail));
}

bool RecordingFile::appendRow(const RecordingRow& row) {
    if (failed() || fd_ < 0) return false;
    if (!write(recordingRecord(row))) return false;
    ++rows_;
    dirty_ = true;
    syncIfDue();
    return !failed();
}

void RecordingFile::syncIfDue() {
    if (fd_ < 0 || failed()) return;
    if (const int err = syncer_->takeError(); err != 0) {
        fail(err);
        return;
    }
    const std::int64_t now = epochMilliseconds(clock_.zonedNow());
    // A clock set back must not hold syncing off until it catches up.
    if (!dirty_ || (now - lastSyncMs_ < kSyncIntervalMs && now >= lastSyncMs_)) return;
    syncer_->requestSync(fd_);
    lastSyncMs_ = now;
    dirty_ = false;
}

bool RecordingFile::write(const std::string& record) {
    if (const int err = records_.write(record); err != 0) {
        fail(err);
        return false;
    }
    return true;
}

void RecordingFile::fail(int err) {
    if (failed()) return;
    errno_ = err;
    error_ = "The live recording stopped: writing " + path_ + " failed (" + std::strerror(err) +
             "). Every row before the error is intact in that file.";
}

bool RecordingFile::close() {
    if (fd_ < 0) return !failed();
    syncer_->requestSync(fd_);
    syncer_->drain();
    if (const int err = syncer_->takeError(); err != 0) fail(err);
    if (::close(fd_) != 0) fail(errno);
    fd_ = -1;
    return !failed();
}

}  // namespace photara
