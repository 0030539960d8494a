#include "core/export/whole_records.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace photara {

WholeRecords::WholeRecords(int fd) : fd_(fd) {
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) {
        const off_t at = ::lseek(fd_, 0, SEEK_CUR);
        wholeBytes_ = (::fcntl(fd_, F_GETFL) & O_APPEND) != 0 ? info.st_size : at;
    }
}

int WholeRecords::write(std::string_view record) {
    std::size_t done = 0;
    while (done < record.size()) {
        const ssize_t n = ::write(fd_, record.data() + done, record.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            if (done > 0 && wholeBytes_ >= 0 &&
                ::ftruncate(fd_, static_cast<off_t>(wholeBytes_)) != 0) {
                // Not cut: a reader skips the torn record.
            }
            return err;
        }
        done += static_cast<std::size_t>(n);
    }
    if (wholeBytes_ >= 0) wholeBytes_ += static_cast<long long>(record.size());
    return 0;
}

}  // namespace photara
