// photara-cli as a user runs it: a separate process on the virtual meter, its output, exit
// code and files checked. Each case has its own lock folder, so its lock is its own. It holds:
// a failure prints no data and leaves no file (not even a temporary one); every exit code is
// the one the help promises; a row is written whole or not at all; the fault script acts on
// the virtual meter alone.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fcntl.h>

#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli_process.h"
#include "core/common/instance_lock.h"
#include "core/common/local_time.h"
#include "core/datafile/data_file.h"
#include "core/datafile/data_set.h"
#include "core/export/recording_reader.h"
#include "core/export/recording_rows.h"
#include "core/export/set_csv.h"
#include "sim/virtual_meter.h"

namespace photara {
namespace {

namespace fs = std::filesystem;

using test::CliRun;
using test::slurp;

class CliTest : public ::testing::Test {
  protected:
    CliTest() {
        char pattern[] = "/tmp/photara-cli-test.XXXXXX";
        dir = ::mkdtemp(pattern);
        fs::create_directory(dir / "out");
    }
    ~CliTest() override { fs::remove_all(dir); }

    // Runs photara-cli with args, standard input from /dev/null (not a terminal).
    CliRun run(std::vector<std::string> args, const std::string& faults = {},
               const test::RunOptions& options = {}) {
        return test::runProgram(PHOTARA_CLI, std::move(args), environment(faults), dir, options);
    }
    std::vector<std::string> environment(const std::string& faults = {}) const {
        std::vector<std::string> env = {"PHOTARA_TEST_LOCK_FOLDER=" + dir.string(),
                                        "PATH=/usr/bin:/bin"};
        if (!faults.empty()) env.push_back("PHOTARA_CLI_FAULTS=" + faults);
        return env;
    }

    std::size_t filesIn(const fs::path& folder) const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path dir;
};

struct CommandCase {
    const char* name;
    std::vector<std::string> args;
    int code;
    const char* out;  // found in standard output
    const char* err;  // found in standard error
    const char* faults = "";  // PHOTARA_CLI_FAULTS
};

class CommandTest : public CliTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandTest, GivesItsOutputAndExitCodeAndLeavesNoFile) {
    const CommandCase& c = GetParam();
    std::vector<std::string> args = c.args;
    for (std::string& a : args) {
        if (a.starts_with("OUT")) a = (dir / "out").string() + a.substr(3);
    }
    const CliRun r = run(args, c.faults);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    if (c.code != 0) {
        // Data only on success, but for what a failure's JSON says.
        if (*c.out == '\0') {
            EXPECT_TRUE(r.out.empty()) << "data only on success: " << r.out;
        }
        EXPECT_EQ(filesIn(dir / "out"), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandTest,
    ::testing::Values(
        CommandCase{"Info", {"info", "--virtual-meter"}, 0, "sets:        4", ""},
        CommandCase{"InfoJson", {"info", "--virtual-meter", "--json"}, 0,
                    "\"path\":\"virtual-meter\",\"vendor_id\":\"", ""},
        CommandCase{"VirtualMeterBeforeTheCommand", {"--virtual-meter", "sets"}, 0,
                    "20261128091500", ""},
        CommandCase{"SetsJson", {"sets", "--virtual-meter", "--json"}, 0,
                    "{\"set\":4,\"identifier\":\"", ""},
        CommandCase{"Read", {"read", "--virtual-meter", "--json"}, 0, "\"unit\":\"cd/m²\"", ""},
        CommandCase{"ClockSync", {"clock", "--virtual-meter", "--sync"}, 0, "difference:", ""},
        CommandCase{"IntervalRead", {"interval", "--virtual-meter"}, 0, ":", ""},
        CommandCase{"IntervalSet", {"interval", "00:01:30", "--virtual-meter"}, 0, "", ""},
        CommandCase{"IntervalOverAnHour", {"interval", "25:00:00", "--virtual-meter"}, 2, "",
                    "must lie between 00:00:01 and 01:00:00"},
        CommandCase{"PeriodNotANumber", {"period", "abc", "--virtual-meter"}, 2, "",
                    "is not a number of seconds"},
        CommandCase{"PeriodZero", {"period", "0", "--virtual-meter"}, 2, "", "from 1 to 9999"},
        CommandCase{"UnknownSet", {"download", "9", "--virtual-meter", "-o", "OUT"}, 2, "",
                    "there is no set 9; set must be 1–4: the meter holds 4 sets"},
        CommandCase{"EraseWithoutATerminal", {"erase", "1", "--virtual-meter"}, 2, "", "--yes"},
        CommandCase{"EraseSet", {"erase", "2", "--yes", "--virtual-meter"}, 0, "", ""},
        CommandCase{"UnwritableOutput",
                    {"download", "1", "--virtual-meter", "-o", "/nonexistent/x.pxd"}, 5, "",
                    "cannot create /nonexistent/x.pxd"},
        CommandCase{"NoCommand", {}, 2, "", "subcommand"},
        CommandCase{"MisspeltCommand", {"lgo", "-o", "x.csv"}, 2, "", "'lgo' is not a command"},
        CommandCase{"NoUsbMeter", {"sets"}, 3, "", "no meter found"},
        // The fault script is the virtual meter's alone: a USB meter's command never reads
        // it (were it read, this bad one would end the command with exit 2).
        CommandCase{"UsbMeterNeverReadsTheFaultScript", {"sets"}, 3, "", "no meter found",
                    "not a fault list"},
        CommandCase{"VirtualMeterReadsTheFaultScript", {"sets", "--virtual-meter"}, 2, "",
                    "PHOTARA_CLI_FAULTS: not a fault list", "not a fault list"}),
    [](const ::testing::TestParamInfo<CommandCase>& p) { return p.param.name; });

// --meter-id, before or after the command, is what the USB search looks for (no meter is
// plugged in here: the message names the ids searched); a value that is not VVVV:PPPP is
// refused with the GUI's words. The virtual meter keeps its own ids, as in the GUI.
INSTANTIATE_TEST_SUITE_P(
    MeterIds, CommandTest,
    ::testing::Values(
        CommandCase{"BeforeTheCommand", {"--meter-id", "1234:abcd", "sets"}, 3, "",
                    "sets: no meter found with USB ids 1234:abcd"},
        CommandCase{"AfterTheCommand", {"info", "--meter-id=ABCD:EF01"}, 3, "",
                    "info: no meter found with USB ids abcd:ef01"},
        CommandCase{"ShortDigits", {"read", "--meter-id", "1:2f"}, 3, "", "USB ids 0001:002f"},
        CommandCase{"NoColon", {"sets", "--meter-id", "16c005df"}, 2, "",
                    "photara-cli: --meter-id needs the meter's USB ids as VVVV:PPPP in hex, as "
                    "lsusb shows them (got \"16c005df\")."},
        CommandCase{"VendorZero", {"--meter-id", "0000:05df", "read"}, 2, "",
                    "(got \"0000:05df\")"},
        CommandCase{"Empty", {"erase", "1", "--yes", "--meter-id", ""}, 2, "", "(got \"\")"},
        CommandCase{"VirtualMeterWithAnIdIsRefused",
                    {"--virtual-meter", "--meter-id", "1234:abcd", "sets"}, 2, "",
                    "--meter-id names a USB meter and --virtual-meter the one inside the "
                    "program"},
        CommandCase{"VirtualMeterWithAnIdAfterTheCommand",
                    {"sets", "--meter-id", "1234:abcd", "--virtual-meter"}, 2, "",
                    "give one of them"}),
    [](const ::testing::TestParamInfo<CommandCase>& p) { return p.param.name; });

// What a script gets for a number it should not give, a file name that is not UTF-8, a
// folder that does not exist yet, and the JSON shapes read and log share.
INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandTest,
    ::testing::Values(
        CommandCase{"IntervalNan", {"log", "--virtual-meter", "--interval", "nan"}, 2, "",
                    "--interval: must be a number of seconds from 0.01 to 3600 (got nan)"},
        CommandCase{"IntervalInf", {"log", "--virtual-meter", "--interval", "inf"}, 2, "",
                    "(got inf)"},
        CommandCase{"IntervalNegative", {"log", "--virtual-meter", "--interval=-1"}, 2, "",
                    "(got -1)"},
        CommandCase{"IntervalWithAUnit", {"log", "--virtual-meter", "--interval", "10s"}, 2, "",
                    "(got 10s)"},
        CommandCase{"DurationNan", {"log", "--virtual-meter", "--duration", "nan"}, 2, "",
                    "--duration: must be a number of seconds"},
        CommandCase{"DurationHuge", {"log", "--virtual-meter", "--duration", "1e300"}, 2, "",
                    "(got 1e300)"},
        CommandCase{"CountZero", {"log", "--virtual-meter", "--count", "0"}, 2, "",
                    "--count: must be a number of readings from 1"},
        CommandCase{"CountFraction", {"log", "--virtual-meter", "--count", "2.5"}, 2, "",
                    "(got 2.5)"},
        CommandCase{"CountOverflows",
                    {"log", "--virtual-meter", "--count", "99999999999999999999"}, 2, "",
                    "(got 99999999999999999999)"},
        CommandCase{"PeriodFraction", {"period", "1.5", "--virtual-meter"}, 2, "",
                    "'1.5' is not a whole number of seconds"},
        CommandCase{"IntervalFraction", {"interval", "00:00:10.5", "--virtual-meter"}, 2, "",
                    "has a field that is negative or not whole"},
        CommandCase{"IntervalNegativeField", {"interval", "2:-70:00", "--virtual-meter"}, 2, "",
                    "has a field that is negative or not whole"},
        CommandCase{"SetZero", {"download", "0", "--virtual-meter", "-o", "OUT"}, 2, "",
                    "download: there is no set 0; set must be 1–4: the meter holds 4 sets"},
        CommandCase{"SetNotANumber", {"erase", "x", "--yes", "--virtual-meter"}, 2, "",
                    "must be a set's number"},
        CommandCase{"InfoJsonWithoutAMeter", {"info", "--json"}, 3,
                    "{\"found\":false,\"vendor_id\":\"", "info: no meter found"},
        CommandCase{"FolderMadeWithItsParents",
                    {"download", "1", "--virtual-meter", "-o", "OUT/a/b/"}, 0, "/out/a/b/20",
                    ""},
        CommandCase{"FileNameNotUtf8",
                    {"download", "1", "--virtual-meter", "--json", "-o", "OUT/caf\xe9.pxd"}, 0,
                    "/out/caf\\udce9.pxd\",\"bytes\":", ""},
        CommandCase{"ReadFlagsAreAList", {"read", "--virtual-meter", "--json"}, 0,
                    "\"flags\":[\"HOLD\"]", "", "key5@1"}),
    [](const ::testing::TestParamInfo<CommandCase>& p) { return p.param.name; });

// info while a key has put the virtual meter in a mode: the meter and its ids are told, the
// memory only when the memory guard lets it be read, its reason otherwise (exit 6).
struct InfoCase {
    const char* name;
    const char* keys;  // pressed before the first poll
    bool json;
    int code;
    const char* memory;  // found in standard output
};

class InfoGuardTest : public CliTest, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(InfoGuardTest, TellsTheMeterAndTheMemoryOrWhyNot) {
    const InfoCase& c = GetParam();
    std::vector<std::string> args = {"info", "--virtual-meter"};
    if (c.json) args.push_back("--json");
    const CliRun r = run(args, c.keys);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_NE(r.out.find(c.json ? "\"path\":\"virtual-meter\"" : "path:        virtual-meter"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(c.memory), std::string::npos) << r.out;
    if (!c.json) {
        EXPECT_EQ(r.out.find("capacity:") != std::string::npos, c.code == 0) << r.out;
    }
    EXPECT_TRUE(r.err.empty()) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, InfoGuardTest,
    ::testing::Values(
        InfoCase{"Recording", "key9@1", false, 6,
                 "memory:      refused: the meter's logger is recording (REC is lit)\n"},
        InfoCase{"RecordingJson", "key9@1", true, 6,
                 "\"capacity_kb\":null,\"used_kb\":null,\"sets\":null,"
                 "\"memory_refused\":\"the meter's logger is recording (REC is lit)\"}"},
        InfoCase{"MaxMin", "key3@1", false, 6,
                 "memory:      refused: the meter is in a measuring or setting mode (MX is lit)"},
        InfoCase{"HoldLeavesTheMemoryReadable", "key5@1", false, 0, "sets:        4\n"},
        InfoCase{"HoldJson", "key5@1", true, 0, "\"sets\":4,\"memory_refused\":null}"}),
    [](const ::testing::TestParamInfo<InfoCase>& p) { return p.param.name; });

// What the GUI's Save writes for the same set: the downloaded blocks and CR LF.
TEST_F(CliTest, DownloadAllWritesEachSetAsTheGuiSavesIt) {
    const fs::path sets = dir / "out" / "sets";  // made by the download, as "-o sets/" asks
    const CliRun r = run({"download", "--all", "--virtual-meter", "-o", sets.string() + "/"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << "no progress bar when standard error is not a terminal";

    const SystemClock clock;
    const sim::VirtualMeter meter{clock};
    ASSERT_EQ(filesIn(sets), static_cast<std::size_t>(meter.logger().setCount()));
    for (int i = 0; i < meter.logger().setCount(); ++i) {
        std::string served = meter.logger().text(i);
        served.resize((served.size() + 63) / 64 * 64, '\0');
        const auto& start = meter.logger().recipe(i).start;
        char name[64];
        std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d.pxd", start.year,
                      start.month, start.day, start.hour, start.minute, start.second);
        EXPECT_EQ(slurp(sets / name), dataFileBytes(served)) << name;
    }
}

TEST_F(CliTest, ASecondProgramOnTheMeterIsRefusedWithItsHoldersName) {
    InstanceLock gui(InstanceLock::pathIn(dir.string()), "photara");
    ASSERT_EQ(gui.acquire(), InstanceLock::Outcome::Acquired);
    const CliRun r = run({"download", "1", "--virtual-meter", "-o", (dir / "out" / "1.pxd").string()});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("in use by photara (process " + std::to_string(::getpid()) + ")"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(filesIn(dir / "out"), 0u);
}

struct Rows {
    std::vector<RecordingRow> rows;
    RecordingReadResult result;
};

Rows readRows(const std::string& text) {
    std::istringstream in(text);
    Rows r;
    r.result = readRecording(in, [&](const RecordingRow& row) { r.rows.push_back(row); });
    return r;
}

TEST_F(CliTest, LogCountWritesThatManyRowsWithRisingTimesAndTheirOffset) {
    const CliRun r = run({"log", "--virtual-meter", "--count", "20", "--interval", "0.01"});
    ASSERT_EQ(r.code, 0) << r.err;
    const Rows read = readRows(r.out);
    EXPECT_TRUE(read.result.hadHeader);
    EXPECT_EQ(read.result.skipped, 0u);
    ASSERT_EQ(read.rows.size(), 20u);
    for (std::size_t i = 1; i < read.rows.size(); ++i)
        EXPECT_GT(read.rows[i].elapsedSeconds, read.rows[i - 1].elapsedSeconds) << i;
    // The offset the row says is the one the program's own clock gives.
    EXPECT_EQ(read.rows[0].time.utcOffsetMinutes, SystemClock().zonedNow().utcOffsetMinutes);
    EXPECT_NE(r.err.find("log: 20 rows, 0 gaps, min "), std::string::npos) << r.err;
}

TEST_F(CliTest, AnUnpluggedMeterIsAnEventAndLoggingGoesOnAfterTheReplug) {
    const CliRun r = run({"log", "--virtual-meter", "--count", "6", "--interval", "0.01", "-o",
                       (dir / "out" / "log.csv").string()},
                      "unplug@3,replug@6");
    ASSERT_EQ(r.code, 0) << r.err;
    const Rows read = readRows(slurp(dir / "out" / "log.csv"));
    std::string kinds;  // R reading, D disconnected, C reconnected
    for (const RecordingRow& row : read.rows)
        kinds += row.event == RecordingEvent::Disconnected   ? 'D'
                 : row.event == RecordingEvent::Reconnected ? 'C'
                                                             : 'R';
    EXPECT_EQ(kinds, "RRDCRRRR");
    EXPECT_NE(r.err.find("1 gaps"), std::string::npos) << r.err;
}

// The meter's SET screen shows no reading: the log says when readings stop and start again
// (once each), to a file and as JSON lines, and --count counts readings only.
class LogNoReadingTest : public CliTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LogNoReadingTest, SaysWhenReadingsStopAndStartAgain) {
    const bool json = GetParam();
    std::vector<std::string> args = {"log", "--virtual-meter", "--count", "4", "--interval", "0.01"};
    if (json) args.insert(args.end(), {"--format", "jsonl"});
    // SET before poll 3 (the setting screen), SET again before poll 6 (back to the reading).
    const CliRun r = run(args, "key4@3,key4@6");
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::string> lines;
    std::istringstream out(r.out);
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    std::string kinds;  // R reading, N no reading, S readings again
    for (std::size_t i = json ? 0 : 1; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        kinds += l.find("no reading") != std::string::npos ? 'N'
                 : l.find("readings") != std::string::npos ? 'S'
                                                            : 'R';
    }
    EXPECT_EQ(kinds, "RRNSRR") << r.out;
}

INSTANTIATE_TEST_SUITE_P(Formats, LogNoReadingTest, ::testing::Bool(),
                         [](const auto& p) { return std::string(p.param ? "JsonLines" : "Csv"); });

TEST_F(CliTest, KillNineDuringALogLeavesOnlyWholeRows) {
    const fs::path file = dir / "out" / "log.csv";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string lockFolder = "PHOTARA_TEST_LOCK_FOLDER=" + dir.string();
        ::putenv(const_cast<char*>(lockFolder.c_str()));
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::execl(PHOTARA_CLI, PHOTARA_CLI, "log", "--virtual-meter", "--interval", "0.01", "-o",
                file.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Killed once rows are coming in, at no particular row.
    for (int i = 0; i < 500 && (!fs::exists(file) || fs::file_size(file) < 4000); ++i)
        ::usleep(10'000);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string text = slurp(file);
    const Rows read = readRows(text);
    EXPECT_GT(read.rows.size(), 10u);
    EXPECT_EQ(read.result.skipped, 0u) << "a torn row";
    EXPECT_TRUE(text.ends_with("\r\n"));
}

TEST_F(CliTest, CsvDownloadParsesBackToTheSetsReadings) {
    const fs::path file = dir / "out" / "set.csv";
    const CliRun r = run({"download", "1", "--virtual-meter", "--format", "csv", "-o", file.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const SystemClock clock;
    const sim::VirtualMeter meter{clock};
    std::string served = meter.logger().text(0);  // as downloaded: padded to whole blocks
    served.resize((served.size() + 63) / 64 * 64, '\0');
    EXPECT_EQ(slurp(file), setCsv(parseDataText(served)));
    std::istringstream in(slurp(file));
    std::string line;
    std::size_t records = 0;
    while (std::getline(in, line)) {
        if (!line.empty()) ++records;
    }
    EXPECT_EQ(records, static_cast<std::size_t>(meter.logger().recipe(0).samples) + 3)
        << "CAF, CCF, header and one row per reading";
}

// Standard output that cannot take what is written (a full disk, a reader that has gone) is
// a file error with a message, never a silent success; log ends quietly when its reader
// (head) has read enough.
struct OutputCase {
    const char* name;
    std::vector<std::string> args;
    bool readerGone;  // a closed pipe; /dev/full otherwise
    int code;
    const char* err;
};

class StandardOutputTest : public CliTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(StandardOutputTest, AFailedWriteIsAFileError) {
    const OutputCase& c = GetParam();
    std::vector<std::string> args = c.args;
    for (std::string& a : args) {
        if (a == "OUT") a = (dir / "out").string();
    }
    test::RunOptions options;
    if (c.readerGone) options.stdoutReaderGone = true;
    else options.stdoutPath = "/dev/full";
    const CliRun r = run(args, {}, options);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, StandardOutputTest,
    ::testing::Values(
        OutputCase{"Read", {"read", "--virtual-meter"}, false, 5,
                   "photara-cli: cannot write standard output: No space left on device"},
        OutputCase{"Info", {"info", "--virtual-meter"}, false, 5, "No space left on device"},
        OutputCase{"Help", {"log", "--help"}, false, 5, "cannot write standard output"},
        OutputCase{"Sets", {"sets", "--virtual-meter"}, false, 5, "No space left on device"},
        OutputCase{"ClockJson", {"clock", "--json", "--virtual-meter"}, false, 5,
                   "No space left on device"},
        OutputCase{"DownloadAllJson", {"download", "--all", "--json", "--virtual-meter", "-o", "OUT"},
                   false, 5, "No space left on device"},
        OutputCase{"LogCsv", {"log", "--virtual-meter", "--count", "3", "--interval", "0.01"},
                   false, 5, "log: writing standard output failed (No space left on device)"},
        OutputCase{"SetsToAClosedPipe", {"sets", "--virtual-meter"}, true, 5, "Broken pipe"},
        OutputCase{"LogToAClosedPipe",
                   {"log", "--virtual-meter", "--format", "jsonl", "--interval", "0.01"}, true, 0,
                   " rows, 0 gaps"}),
    [](const ::testing::TestParamInfo<OutputCase>& p) { return p.param.name; });

// A disk that fills in the middle of a log: every row in the file is whole, the command
// fails (exit 5) and says which file, in either format, to a file or to standard output.
struct FillCase {
    const char* name;
    const char* format;
    bool toStandardOutput;  // "> file" rather than -o file
    const char* err;        // FILE: the file's path
};

class FillingDiskTest : public CliTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FillingDiskTest, LeavesOnlyWholeRowsAndNamesTheFile) {
    const FillCase& c = GetParam();
    const fs::path file = dir / "out" / "log";
    std::vector<std::string> args = {"log",        "--virtual-meter", "--interval", "0.01",
                                     "--count",    "2000",            "--format",   c.format};
    test::RunOptions options;
    options.fileSizeLimit = 3000;
    if (c.toStandardOutput) {
        options.stdoutPath = file.string();
    } else {
        args.insert(args.end(), {"-o", file.string()});
    }
    const CliRun r = run(args, {}, options);
    EXPECT_EQ(r.code, 5) << r.err;
    std::string err = c.err;
    if (const std::size_t at = err.find("FILE"); at != std::string::npos)
        err.replace(at, 4, file.string());
    EXPECT_NE(r.err.find(err), std::string::npos) << r.err;

    const std::string text = slurp(file);
    if (std::string(c.format) == "csv") {
        const Rows read = readRows(text);
        EXPECT_GT(read.rows.size(), 5u);
        EXPECT_EQ(read.result.skipped, 0u) << "a torn row";
        EXPECT_TRUE(text.ends_with("\r\n"));
    } else {
        std::istringstream lines(text);
        std::size_t whole = 0;
        for (std::string line; std::getline(lines, line); ++whole)
            EXPECT_TRUE(line.starts_with("{\"time\":") && line.ends_with("\"event\":\"\"}")) << line;
        EXPECT_GT(whole, 5u);
        EXPECT_TRUE(text.ends_with("}\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FillingDiskTest,
    ::testing::Values(FillCase{"CsvFile", "csv", false,
                               "log: The live recording stopped: writing FILE"},
                      FillCase{"JsonlFile", "jsonl", false, "log: writing FILE failed"},
                      FillCase{"CsvStandardOutput", "csv", true,
                               "log: writing standard output failed"},
                      FillCase{"JsonlStandardOutput", "jsonl", true,
                               "log: writing standard output failed"}),
    [](const ::testing::TestParamInfo<FillCase>& p) { return p.param.name; });

// Ctrl-C or SIGTERM ends a log at once, not at its next poll a minute later: the rows
// written are whole, the summary is printed, the exit code says it was interrupted.
struct SignalCase {
    const char* name;
    int signal;
    const char* format;
};

class LogSignalTest : public CliTest, public ::testing::WithParamInterface<SignalCase> {};

TEST_P(LogSignalTest, EndsTheLogBeforeItsNextPoll) {
    const SignalCase& c = GetParam();
    const fs::path file = dir / "out" / "log";
    const pid_t pid = test::startProgram(
        PHOTARA_CLI,
        {"log", "--virtual-meter", "--interval", "60", "--format", c.format, "-o", file.string()},
        environment(), dir);
    ASSERT_GT(pid, 0);
    // The first poll's row is written at once; the next poll would be a minute later.
    const auto newlines = [&] {
        const std::string text = slurp(file);
        return std::count(text.begin(), text.end(), '\n');
    };
    const long wanted = std::string(c.format) == "csv" ? 2 : 1;  // the header, then a row
    for (int i = 0; i < 2000 && newlines() < wanted; ++i) ::usleep(5'000);
    ::kill(pid, c.signal);
    // Well before the next poll; the old loop slept through the signal until then.
    const CliRun r = test::finishProgram(pid, dir, std::chrono::seconds(20));
    EXPECT_EQ(r.code, 130) << r.err;
    EXPECT_NE(r.err.find("log: 1 rows, 0 gaps, min "), std::string::npos) << r.err;
    EXPECT_EQ(newlines(), wanted);
}

INSTANTIATE_TEST_SUITE_P(Signals, LogSignalTest,
                         ::testing::Values(SignalCase{"InterruptCsv", SIGINT, "csv"},
                                           SignalCase{"TerminateCsv", SIGTERM, "csv"},
                                           SignalCase{"TerminateJsonl", SIGTERM, "jsonl"}),
                         [](const ::testing::TestParamInfo<SignalCase>& p) { return p.param.name; });

// The meter's clock has no zone; the PC's time says its offset from UTC.
TEST_F(CliTest, ClockJsonGivesThePcTimeWithItsOffset) {
    const CliRun r = run({"clock", "--json", "--virtual-meter"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::size_t at = r.out.find("\"pc\":\"");
    ASSERT_NE(at, std::string::npos) << r.out;
    const std::string pc = r.out.substr(at + 6, r.out.find('"', at + 6) - at - 6);
    const std::optional<ZonedDateTime> parsed = parseIso8601(pc.substr(0, 19) + ".000" + pc.substr(19));
    ASSERT_TRUE(parsed) << pc;
    EXPECT_EQ(parsed->utcOffsetMinutes, SystemClock().zonedNow().utcOffsetMinutes);
}


// The meter pulled in the middle of a download (the n-th read after the first poll: the
// size, the first block, blocks further on): no file, and no temporary file, is left.
class UnplugMidDownloadTest : public CliTest, public ::testing::WithParamInterface<int> {};

TEST_P(UnplugMidDownloadTest, LeavesNoFileAndSaysTheMeterStoppedAnswering) {
    const CliRun r = run({"download", "1", "--virtual-meter", "-o", (dir / "out" / "1.pxd").string()},
                         "unplugread" + std::to_string(GetParam()) + "@1");
    EXPECT_EQ(r.code, 4) << r.err;
    EXPECT_NE(r.err.find("the meter stopped answering"), std::string::npos) << r.err;
    EXPECT_EQ(filesIn(dir / "out"), 0u);
}

INSTANTIATE_TEST_SUITE_P(Reads, UnplugMidDownloadTest, ::testing::Values(6, 7, 8, 12, 30));

// The erase question on a terminal: only "y" or "yes" erases; anything else, or no answer,
// erases nothing.
struct AnswerCase {
    const char* name;
    const char* typed;
    bool erased;
};
class EraseQuestionTest : public CliTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(EraseQuestionTest, OnlyYesErases) {
    test::RunOptions terminal;
    terminal.terminalInput = true;
    terminal.typed = GetParam().typed;
    const CliRun r = run({"erase", "2", "--virtual-meter"}, {}, terminal);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Erase set 2 ("), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("? [y/N] "), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Nothing was erased.") == std::string::npos, GetParam().erased) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Answers, EraseQuestionTest,
                         ::testing::Values(AnswerCase{"Yes", "y\n", true},
                                           AnswerCase{"YesWord", "yes\n", true},
                                           AnswerCase{"No", "n\n", false},
                                           AnswerCase{"JustEnter", "\n", false},
                                           AnswerCase{"Other", "yep\n", false}),
                         [](const auto& p) { return std::string(p.param.name); });

// An erase whose acknowledgement never comes (the meter pulled at that read) is a failure,
// never reported as done.
struct UnackedEraseCase {
    const char* name;
    std::vector<std::string> args;
    const char* faults;
};
class UnackedEraseTest : public CliTest, public ::testing::WithParamInterface<UnackedEraseCase> {};

TEST_P(UnackedEraseTest, IsReportedAsFailed) {
    const CliRun r = run(GetParam().args, GetParam().faults);
    EXPECT_EQ(r.code, 4) << r.err;
    EXPECT_NE(r.err.find("erase: the meter stopped answering"), std::string::npos) << r.err;
}

// Reads: the poll 1, the sets 2–4; a set's erase reads the sets again (5–7), then its answer 8.
INSTANTIATE_TEST_SUITE_P(
    Erases, UnackedEraseTest,
    ::testing::Values(UnackedEraseCase{"OneSet", {"erase", "2", "--yes", "--virtual-meter"},
                                       "unplugread8@1"},
                      UnackedEraseCase{"All", {"erase", "--all", "--yes", "--virtual-meter"},
                                       "unplugread5@1"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace photara
