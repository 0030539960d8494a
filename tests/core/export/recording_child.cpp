// A recording in a process of its own, for tests that kill it or let its disk fill up.
//   recording_child run PATH         records a reading every 20 ms until killed; prints the
//                                    row count after each row
//   recording_child fill PATH BYTES  records with the file size limited to BYTES; prints the
//                                    rows written and the error, exits 0 when it stopped
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "core/export/recording_file.h"

namespace {

photara::Reading reading(std::size_t i) {
    photara::Reading r;
    r.value = static_cast<double>(i) * 1.5;
    r.unit = photara::ReadingUnit::CdPerM2;
    r.displayText = "reading, \"number\" " + std::to_string(i);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string mode = argv[1];
    if (mode == "fill" && argc == 4) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{std::strtoul(argv[3], nullptr, 10), RLIM_INFINITY};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    }
    photara::SystemClock clock;
    std::string error;
    auto file = photara::RecordingFile::create(argv[2], clock, error);
    if (!file) {
        std::printf("%s\n", error.c_str());
        return 4;
    }
    for (std::size_t i = 0;; ++i) {
        if (!file->append(reading(i))) break;
        std::printf("%zu\n", file->rows());
        std::fflush(stdout);
        if (mode == "run") std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::printf("%zu\n%s\n", file->rows(), file->error().c_str());
    return 0;
}
