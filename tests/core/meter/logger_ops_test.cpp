#include "core/meter/logger_ops.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/meter/clock_ops.h"
#include "core/meter/display_ops.h"
#include "core/meter/settings_ops.h"
#include "core/logger/directory.h"
#include "core/protocol/big_endian.h"
#include "support/scripted_hid_backend.h"

namespace photara {
namespace {

using test::ScriptedHidBackend;

std::array<std::uint8_t, 7> entry(int k) {
    return {0x20, 0x26, 0x12, 0x07, 0x00, 0x43, static_cast<std::uint8_t>(k / 10 * 16 + k % 10)};
}

Report numberReport(std::size_t first, std::size_t size, std::uint64_t value) {
    Report r{};
    writeBigEndian(std::span(r).subspan(first, size), value);
    return r;
}

// The meter's answers are queued in advance, one per read, exactly as the test needs them.
class LoggerTransferTest : public ::testing::Test {
  protected:
    LoggerTransferTest() {
        backend.setDevices({{"meter", kMeterVendorId, kMeterProductId}});
        backend.queueAnswer(Report{});  // connects the link
        EXPECT_TRUE(readDisplay(link));
    }
    void queueDirectory(int sets, int reports) {
        for (int i = 0; i < reports; ++i) {
            Report r;
            r.fill(0x77);  // unused bytes of the last report are noise
            for (int k = i * 9 + 1; k <= std::min(sets, i * 9 + 9); ++k) {
                const auto e = entry(k);
                std::copy(e.begin(), e.end(), r.begin() + 2 + (k - 1 - i * 9) * 7);
            }
            backend.queueAnswer(r);
        }
    }
    // The size answer, then the text in 64-byte blocks padded with 0x00.
    void queueSet(const std::string& text, std::uint64_t reportedLength) {
        backend.queueAnswer(numberReport(1, 5, reportedLength));
        for (std::size_t at = 0; at < text.size(); at += 64) {
            Report block{};
            const std::size_t n = std::min<std::size_t>(64, text.size() - at);
            std::copy_n(text.begin() + static_cast<long>(at), n, block.begin() + 1);
            backend.queueAnswer(block);
        }
    }
    std::vector<int> commandsAfterConnect() const {
        std::vector<int> list;
        for (std::size_t i = 1; i < backend.written().size(); ++i)
            list.push_back(backend.written()[i][2]);
        return list;
    }

    ScriptedHidBackend backend;
    MeterLink link{backend, kMeterVendorId, kMeterProductId};
};

std::string textOf(std::size_t length) {
    std::string text(length, ' ');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
    return text;
}

class MissingAnswerTest : public LoggerTransferTest,
                          public ::testing::WithParamInterface<ReadStatus> {};

TEST_P(MissingAnswerTest, MemoryStatusWithoutAnAnswerIsNotTheOldOne) {
    backend.queueAnswer(numberReport(11, 2, 3));
    ASSERT_EQ(readMemoryStatus(link)->setCount, 3);
    backend.queueRead(GetParam(), numberReport(11, 2, 4));
    const MeterOutcome<MemoryStatus> status = readMemoryStatus(link);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.reason(),
              GetParam() == ReadStatus::TimedOut ? Failure::NoAnswer : Failure::ReadError);
}

INSTANTIATE_TEST_SUITE_P(Reads, MissingAnswerTest,
                         ::testing::Values(ReadStatus::TimedOut, ReadStatus::Failed));

class DirectorySizeTest : public LoggerTransferTest, public ::testing::WithParamInterface<int> {};

TEST_P(DirectorySizeTest, ReadsOneReportPerNineSetsAndListsEverySet) {
    const int reports = directoryReportCount(GetParam());
    queueDirectory(GetParam(), reports);
    const int readsBefore = backend.readCount();
    const auto ids = readDirectory(link, GetParam());
    ASSERT_TRUE(ids);
    ASSERT_EQ(ids->size(), static_cast<std::size_t>(GetParam()));
    for (int k = 1; k <= GetParam(); ++k)
        EXPECT_EQ((*ids)[static_cast<std::size_t>(k - 1)], setIdentifier(entry(k)));
    EXPECT_EQ(backend.readCount() - readsBefore, reports);
    EXPECT_EQ(commandsAfterConnect(), std::vector<int>{16});
}

INSTANTIATE_TEST_SUITE_P(SetCounts, DirectorySizeTest, ::testing::Values(1, 9, 10, 19, 27));

TEST_F(LoggerTransferTest, DirectoryShortOfReportsIsNotPaddedWithTheLastOne) {
    queueDirectory(18, 1);  // the meter sends one report of two
    EXPECT_FALSE(readDirectory(link, 18));
}

TEST_F(LoggerTransferTest, DirectoryOfAnAbsentMeterReadsNothing) {
    backend.queueRead(ReadStatus::Failed, Report{});
    backend.setDevices({});
    discardWaitingAnswer(link);
    const auto writes = backend.written().size();
    const auto directory = readDirectory(link, 3);
    ASSERT_FALSE(directory);
    EXPECT_EQ(directory.reason(), Failure::NoMeter);
    EXPECT_EQ(backend.written().size(), writes);
}

struct LengthCase {
    std::size_t length;
    std::size_t blocks;
};

class DownloadLengthTest : public LoggerTransferTest,
                           public ::testing::WithParamInterface<LengthCase> {};

TEST_P(DownloadLengthTest, TakesEveryByteOfWholeBlocks) {
    const std::string text = textOf(GetParam().length);
    queueSet(text, text.size());
    backend.queueAnswer(Report{});  // the read after the last block (the first, for L = 0)
    const std::string id = setIdentifier(entry(1));
    std::vector<int> percents;
    const MeterOutcome<DownloadedSet> result = downloadSet(link, id, [&](int percent) {
        percents.push_back(percent);
        return true;
    });

    ASSERT_TRUE(result);
    EXPECT_EQ(result->length, GetParam().length);
    ASSERT_EQ(result->text.size(), GetParam().blocks * 64);
    EXPECT_EQ(result->text.substr(0, text.size()), text);
    EXPECT_EQ(result->text.find_first_not_of('\0', text.size()), std::string::npos);

    // The size and data requests both carry the identifier's digits in bytes 3..16.
    ASSERT_EQ(commandsAfterConnect(), (std::vector<int>{21, 17}));
    const auto digits = identifierRequestBytes(id);
    for (std::size_t i = 1; i < backend.written().size(); ++i)
        EXPECT_TRUE(std::equal(digits.begin(), digits.end(), backend.written()[i].begin() + 3));
    // Connect, size, first block, then one read per further block and one after the last.
    EXPECT_EQ(backend.readCount(), 3 + static_cast<int>(GetParam().blocks));
    ASSERT_EQ(percents.size(), GetParam().blocks);
    if (!percents.empty()) {
        EXPECT_EQ(percents.back(), 100);
    }
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
}

INSTANTIATE_TEST_SUITE_P(Lengths, DownloadLengthTest,
                         ::testing::Values(LengthCase{0, 0}, LengthCase{1, 1}, LengthCase{64, 1},
                                           LengthCase{128, 2}, LengthCase{129, 3},
                                           LengthCase{64'001, 1'001}, LengthCase{832'000, 13'000}));

TEST_F(LoggerTransferTest, ReadAfterTheLastBlockMayFail) {
    queueSet(textOf(64 * 5), 64 * 5);
    backend.queueRead(ReadStatus::Failed, Report{});
    const MeterOutcome<DownloadedSet> result = downloadSet(link, setIdentifier(entry(1)));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text.size(), 64u * 5);
}

// The program closing mid-transfer: the callback says stop, and nothing more is read.
TEST_F(LoggerTransferTest, ProgressThatSaysStopEndsADownloadWithNothingAndNoMoreReads) {
    queueSet(textOf(64 * 5), 64 * 5);
    backend.queueAnswer(Report{});
    int calls = 0;
    const MeterOutcome<DownloadedSet> result =
        downloadSet(link, setIdentifier(entry(1)), [&](int) { return ++calls < 2; });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.reason(), Failure::Stopped);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(backend.readCount(), 4) << "connect, size, block 1, block 2";
}

TEST_F(LoggerTransferTest, ProgressThatSaysStopEndsADirectoryReadWithNothing) {
    queueDirectory(20, 3);
    int calls = 0;
    const auto directory = readDirectory(link, 20, [&](int) { return ++calls < 1; });
    ASSERT_FALSE(directory);
    EXPECT_EQ(directory.reason(), Failure::Stopped);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(backend.readCount(), 2) << "connect, the first directory report";
}

struct ShortCase {
    std::size_t sent;  // bytes the meter sends of a 320-byte set, then it stops answering
    ReadStatus then;
};
class DownloadCutShortTest : public LoggerTransferTest,
                             public ::testing::WithParamInterface<ShortCase> {};

TEST_P(DownloadCutShortTest, SetCutShortGivesNoText) {
    queueSet(textOf(GetParam().sent), 64 * 5);
    backend.queueRead(GetParam().then, Report{});
    const MeterOutcome<DownloadedSet> result = downloadSet(link, setIdentifier(entry(1)));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.reason(),
              GetParam().then == ReadStatus::Failed ? Failure::ReadError : Failure::NoAnswer);
}

INSTANTIATE_TEST_SUITE_P(Stops, DownloadCutShortTest,
                         ::testing::Values(ShortCase{0, ReadStatus::Failed},
                                           ShortCase{64, ReadStatus::Failed},
                                           ShortCase{64 * 4, ReadStatus::Failed},
                                           ShortCase{64 * 2, ReadStatus::TimedOut}));

TEST_F(LoggerTransferTest, NoSizeAnswerSendsNoDataRequest) {
    backend.queueRead(ReadStatus::TimedOut, numberReport(1, 5, 64));
    const MeterOutcome<DownloadedSet> result = downloadSet(link, setIdentifier(entry(1)));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.reason(), Failure::NoAnswer);
    EXPECT_EQ(commandsAfterConnect(), std::vector<int>{21});
}

struct CapCase {
    std::uint64_t length;
    bool downloaded;  // otherwise refused as TooLong
};
class DownloadCapTest : public LoggerTransferTest, public ::testing::WithParamInterface<CapCase> {};

TEST_P(DownloadCapTest, SetLongerThanTheBufferIsNotRequested) {
    queueSet(textOf(static_cast<std::size_t>(std::min<std::uint64_t>(GetParam().length, 832'000))),
             GetParam().length);
    backend.queueAnswer(Report{});
    const MeterOutcome<DownloadedSet> result = downloadSet(link, setIdentifier(entry(1)));
    EXPECT_EQ(result.ok(), GetParam().downloaded);
    if (!result) {
        EXPECT_EQ(result.reason(), Failure::TooLong);
    }
    const auto commands = commandsAfterConnect();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 17), GetParam().downloaded ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Lengths, DownloadCapTest,
                         ::testing::Values(CapCase{832'000, true}, CapCase{832'001, false},
                                           CapCase{0xFFFFFFFFFFULL, false}));

TEST_F(LoggerTransferTest, SettingReadUsesBytes1And2AndRefusesAMissingAnswer) {
    backend.queueAnswer(numberReport(1, 2, 3600));
    const MeterOutcome<int> sampling = readSamplingTime(link);
    ASSERT_TRUE(sampling);
    EXPECT_EQ(*sampling, 3600);
    backend.queueAnswer(numberReport(1, 2, 9999));
    const MeterOutcome<int> period = readRecordingPeriod(link);
    ASSERT_TRUE(period);
    EXPECT_EQ(*period, 9999);
    backend.queueRead(ReadStatus::Failed, numberReport(1, 2, 600));
    EXPECT_FALSE(readRecordingPeriod(link));
    EXPECT_EQ(commandsAfterConnect(), (std::vector<int>{25, 13, 13}));
}

// --- the requests the operations send: command and argument bytes --------------------------

struct SentCase {
    const char* name;
    std::function<bool(MeterLink&)> run;  // whether the operation reported success
    std::vector<std::uint8_t> bytes;      // bytes 2.. of the report; the rest must be zero
};

class SentRequestTest : public LoggerTransferTest, public ::testing::WithParamInterface<SentCase> {};

TEST_P(SentRequestTest, PutsTheArgumentsAtTheirBytesAndNothingElse) {
    backend.queueAnswer(Report{});  // for the operations that read an acknowledgement
    EXPECT_TRUE(GetParam().run(link));
    ASSERT_EQ(backend.written().size(), 2u);
    const std::vector<std::uint8_t>& sent = backend.written()[1];
    std::vector<std::uint8_t> expected(kReportSize, 0);
    expected[1] = 1;
    std::copy(GetParam().bytes.begin(), GetParam().bytes.end(), expected.begin() + 2);
    EXPECT_EQ(sent, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, SentRequestTest,
    ::testing::Values(
        SentCase{"SamplingTime", [](MeterLink& l) { return setSamplingTime(l, 3600).ok(); },
                 {24, 0x0E, 0x10}},
        SentCase{"RecordingPeriod", [](MeterLink& l) { return setRecordingPeriod(l, 9999).ok(); },
                 {9, 0x27, 0x0F}},
        SentCase{"Clock",
                 [](MeterLink& l) {
                     return setMeterClock(l, LocalDateTime{2026, 12, 8, 23, 59, 58, 0}).ok();
                 },
                 {23, 0x07, 0xEA, 0x12, 8, 23, 59, 58}},
        SentCase{"Key", [](MeterLink& l) { return pressKey(l, 27).ok(); }, {27}},
        SentCase{"EraseSet",
                 [](MeterLink& l) { return eraseSet(l, "20261207004309").ok(); },
                 {18, '2', '0', '2', '6', '1', '2', '0', '7', '0', '0', '4', '3', '0', '9'}},
        SentCase{"EraseAll", [](MeterLink& l) { return eraseAll(l).ok(); }, {19}}),
    [](const ::testing::TestParamInfo<SentCase>& p) { return p.param.name; });

TEST_F(LoggerTransferTest, ClockReadTakesEachFieldFromItsByte) {
    Report answer{};
    const std::uint8_t bytes[] = {0x07, 0xEA, 12, 7, 0, 43, 9};
    std::copy(std::begin(bytes), std::end(bytes), answer.begin() + 1);
    backend.queueAnswer(answer);
    const MeterOutcome<LocalDateTime> time = readMeterClock(link);
    ASSERT_TRUE(time);
    EXPECT_EQ(*time, (LocalDateTime{2026, 12, 7, 0, 43, 9, 0}));
    EXPECT_FALSE(readMeterClock(link)) << "nothing queued: no answer, not the old time";
}

}  // namespace
}  // namespace photara
