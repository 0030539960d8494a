#include "core/common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace photara {
namespace {

std::string failure(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string temporary = folderOf(path) + "/." + path.substr(path.rfind('/') + 1) + ".XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return failure("cannot create", path);
    temporary = name.data();

    const auto giveUp = [&](const char* what) {
        std::string why = failure(what, path);
        ::close(fd);
        ::unlink(temporary.c_str());
        return std::optional<std::string>(std::move(why));
    };
    // mkstemp makes the file 0600; a written file gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0) return giveUp("cannot set the permissions of");
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return giveUp("cannot write");
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return giveUp("cannot write");
    if (::close(fd) != 0) {
        std::string why = failure("cannot write", path);
        ::unlink(temporary.c_str());
        return why;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        std::string why = failure("cannot write", path);
        ::unlink(temporary.c_str());
        return why;
    }
    // The rename itself survives a power cut once the folder is synced.
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

}  // namespace photara
