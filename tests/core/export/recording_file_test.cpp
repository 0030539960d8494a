#include "core/export/recording_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/export/recording_reader.h"
#include "support/fake_clock.h"

extern char** environ;

namespace photara {
namespace {

namespace fs = std::filesystem;

class CountingSyncer final : public FileSyncer {
  public:
    explicit CountingSyncer(int& count) : count_(count) {}
    void requestSync(int) override { ++count_; }
    int takeError() override { return 0; }
    void drain() override {}

  private:
    int& count_;
};

fs::path scratch(const std::string& name) {
    return fs::temp_directory_path() / ("photara_" + name + "_" + std::to_string(getpid()) + ".csv");
}

std::vector<RecordingRow> readBack(const fs::path& path, RecordingReadResult& result) {
    std::ifstream in(path, std::ios::binary);
    std::vector<RecordingRow> rows;
    result = readRecording(in, [&](const RecordingRow& r) { rows.push_back(r); });
    return rows;
}

// Each step moves the clock, then appends a row or only ticks; syncs counts every sync asked
// for so far (the header's included).
struct SyncStep {
    int advanceMs;
    bool row;
    int syncs;
};

TEST(RecordingFileSync, AsksForASyncOnceASecondWhileRowsArriveAndAfterTheLast) {
    test::FakeClock clock;
    int syncs = 0;
    std::string error;
    const fs::path path = scratch("sync");
    auto file = RecordingFile::create(path, clock, error, std::make_unique<CountingSyncer>(syncs));
    ASSERT_TRUE(file) << error;
    const SyncStep steps[] = {
        {0, false, 1},   {250, true, 1},  {500, true, 1},  {250, true, 2},  // a second since start
        {250, true, 2},  {500, true, 2},  {250, true, 3},                   // and one more
        {400, false, 3}, {600, false, 3},  // rows stopped: nothing new to sync
        {100, true, 4},                     // a row after a quiet second is synced at once
        {200, true, 4},  {799, false, 4}, {1, false, 5},  // the timer syncs the last row
        {5000, false, 5},
    };
    for (const auto& s : steps) {
        clock.advanceMilliseconds(s.advanceMs);
        if (s.row) {
            EXPECT_TRUE(file->append(RecordingEvent::Reconnected));
        } else {
            file->syncIfDue();
        }
        EXPECT_EQ(syncs, s.syncs) << "after " << s.advanceMs << " ms";
    }
    EXPECT_EQ(file->rows(), 8u);
    EXPECT_TRUE(file->close());
    fs::remove(path);
}

// A syncer that really syncs, and notes for each sync which file it reached and how long the
// file was then: rows written before it must all be there, not in a buffer.
class FileCheckingSyncer final : public FileSyncer {
  public:
    struct Sync {
        ino_t inode;
        off_t size;
    };
    explicit FileCheckingSyncer(std::vector<Sync>& syncs) : syncs_(syncs) {}
    void requestSync(int fd) override {
        struct stat st {};
        if (::fstat(fd, &st) != 0 || ::fdatasync(fd) != 0) {
            error_ = errno;
            return;
        }
        syncs_.push_back({st.st_ino, st.st_size});
    }
    int takeError() override { return std::exchange(error_, 0); }
    void drain() override {}

  private:
    std::vector<Sync>& syncs_;
    int error_ = 0;
};

struct ClockSetBack {
    const char* name;
    int utcOffsetMinutes;
    LocalDateTime setTo;  // after three seconds of rows from 2026-12-07 00:43:09
};

void PrintTo(const ClockSetBack& c, std::ostream* os) { *os << c.name; }

class RecordingFileClockSetBack : public testing::TestWithParam<ClockSetBack> {};

TEST_P(RecordingFileClockSetBack, KeepsSyncingOnceASecondIntoTheFile) {
    const ClockSetBack& c = GetParam();
    test::FakeClock clock;
    clock.setUtcOffsetMinutes(c.utcOffsetMinutes);
    std::vector<FileCheckingSyncer::Sync> syncs;
    std::string error;
    const fs::path path = scratch("setback");
    auto file = RecordingFile::create(path, clock, error, std::make_unique<FileCheckingSyncer>(syncs));
    ASSERT_TRUE(file) << error;
    std::vector<ZonedDateTime> written;
    auto rows = [&](int count) {
        for (int i = 0; i < count; ++i) {
            clock.advanceMilliseconds(250);
            const std::size_t before = syncs.size();
            ASSERT_TRUE(file->append(RecordingEvent::Reconnected));
            written.push_back(clock.zonedNow());
            // A sync asked for now covers the row just written.
            if (syncs.size() > before) {
                EXPECT_EQ(syncs.back().size, static_cast<off_t>(fs::file_size(path)));
            }
        }
    };
    rows(12);
    const std::size_t beforeSetBack = syncs.size();
    clock.set(c.setTo);
    rows(12);
    const std::size_t afterSetBack = syncs.size() - beforeSetBack;
    EXPECT_GE(afterSetBack, 3u);  // three seconds of rows: once a second…
    EXPECT_LE(afterSetBack, 4u);  // …and once at the set-back at most, never once a row
    EXPECT_TRUE(file->close());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    for (const auto& sync : syncs) EXPECT_EQ(sync.inode, st.st_ino);

    RecordingReadResult result;
    const auto back = readBack(path, result);
    ASSERT_EQ(back.size(), written.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].time, written[i]) << "row " << i;
    }
    fs::remove(path);
}

INSTANTIATE_TEST_SUITE_P(
    Clocks, RecordingFileClockSetBack,
    testing::Values(ClockSetBack{"AnHourBackEastOfUtc", 60, {2026, 12, 6, 23, 43, 12, 0}},
                    ClockSetBack{"HalfASecondBackAtMinus0330", -210, {2026, 12, 7, 0, 43, 11, 500}},
                    ClockSetBack{"ADayBackAtMinus1000", -600, {2026, 12, 6, 0, 43, 12, 0}},
                    ClockSetBack{"NotSetBackAtMinus0930", -570, {2026, 12, 7, 0, 43, 12, 0}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(RecordingFileErrors, AFullDeviceStopsTheRecordingWithWhereTheFileIs) {
    test::FakeClock clock;
    std::string error;
    EXPECT_FALSE(RecordingFile::create("/dev/full", clock, error));
    EXPECT_NE(error.find("/dev/full"), std::string::npos) << error;
    EXPECT_FALSE(RecordingFile::create("/nonexistent/dir/x.csv", clock, error));
    EXPECT_NE(error.find("/nonexistent/dir/x.csv"), std::string::npos) << error;
}

// Runs the child recorder; returns its pid and the read end of its standard output.
pid_t spawnChild(const std::vector<std::string>& args, FILE*& out) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv{const_cast<char*>(RECORDING_CHILD)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, RECORDING_CHILD, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    out = fdopen(pipeFds[0], "r");
    return pid;
}

TEST(RecordingFileCrash, KilledMidRunLeavesOnlyWholeRowsAndEveryRowItReported) {
    const fs::path path = scratch("killed");
    FILE* out = nullptr;
    const pid_t pid = spawnChild({"run", path.string()}, out);
    ASSERT_GT(pid, 0);
    // Wait until it has written for about a second and a half, then kill it mid-run.
    unsigned long reported = 0;
    while (reported < 60 && std::fscanf(out, "%lu", &reported) == 1) {
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    fclose(out);
    ASSERT_TRUE(WIFSIGNALED(status));

    RecordingReadResult result;
    const auto rows = readBack(path, result);
    EXPECT_TRUE(result.hadHeader);
    EXPECT_EQ(result.skipped, 0u);
    EXPECT_GE(rows.size(), reported);  // a row it finished is never lost to a crash
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].value, static_cast<double>(i) * 1.5) << "row " << i;
        EXPECT_EQ(rows[i].display, "reading, \"number\" " + std::to_string(i));
    }
    fs::remove(path);
}

TEST(RecordingFileErrors, ADiskThatFillsUpKeepsEveryRowBeforeTheError) {
    const fs::path path = scratch("full");
    FILE* out = nullptr;
    const pid_t pid = spawnChild({"fill", path.string(), "2000"}, out);
    ASSERT_GT(pid, 0);
    // The last two lines are the row count and the message.
    std::vector<std::string> lines;
    char buf[512];
    while (std::fgets(buf, sizeof buf, out)) lines.emplace_back(buf);
    fclose(out);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_GE(lines.size(), 2u);
    const std::string& message = lines.back();
    EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    EXPECT_NE(message.find("intact"), std::string::npos) << message;

    RecordingReadResult result;
    const auto rows = readBack(path, result);
    EXPECT_EQ(result.skipped, 0u);  // the torn row was cut off
    EXPECT_EQ(rows.size(), std::stoul(lines[lines.size() - 2]));
    EXPECT_GT(rows.size(), 5u);
    EXPECT_LE(fs::file_size(path), 2000u);
    fs::remove(path);
}

}  // namespace
}  // namespace photara
