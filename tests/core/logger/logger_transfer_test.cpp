#include "logger/logger_transfer.h"

#include <gtest/gtest.h>

#include "link/meter_identity.h"
#include "link/meter_link.h"
#include "logger/directory.h"
#include "protocol/big_endian.h"
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
        link.request(Command::Display);
        link.writeThenRead();
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
    EXPECT_FALSE(readMemoryStatus(link));
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
    link.readOnly();
    const auto writes = backend.written().size();
    EXPECT_FALSE(readDirectory(link, 3));
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
    const DownloadResult result = downloadSet(link, id, [&](int percent) {
        percents.push_back(percent);
        return true;
    });

    ASSERT_EQ(result.status, TransferStatus::Ok);
    EXPECT_EQ(result.length, GetParam().length);
    ASSERT_EQ(result.text.size(), GetParam().blocks * 64);
    EXPECT_EQ(result.text.substr(0, text.size()), text);
    EXPECT_EQ(result.text.find_first_not_of('\0', text.size()), std::string::npos);

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
    const DownloadResult result = downloadSet(link, setIdentifier(entry(1)));
    EXPECT_EQ(result.status, TransferStatus::Ok);
    EXPECT_EQ(result.text.size(), 64u * 5);
}

// The program closing mid-transfer: the callback says stop, and nothing more is read.
TEST_F(LoggerTransferTest, ProgressThatSaysStopEndsADownloadWithNothingAndNoMoreReads) {
    queueSet(textOf(64 * 5), 64 * 5);
    backend.queueAnswer(Report{});
    int calls = 0;
    const DownloadResult result =
        downloadSet(link, setIdentifier(entry(1)), [&](int) { return ++calls < 2; });
    EXPECT_EQ(result.status, TransferStatus::Stopped);
    EXPECT_TRUE(result.text.empty());
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(backend.readCount(), 4) << "connect, size, block 1, block 2";
}

TEST_F(LoggerTransferTest, ProgressThatSaysStopEndsADirectoryReadWithNothing) {
    queueDirectory(20, 3);
    int calls = 0;
    EXPECT_FALSE(readDirectory(link, 20, [&](int) { return ++calls < 1; }));
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
    const DownloadResult result = downloadSet(link, setIdentifier(entry(1)));
    EXPECT_EQ(result.status, TransferStatus::NoAnswer);
    EXPECT_TRUE(result.text.empty());
}

INSTANTIATE_TEST_SUITE_P(Stops, DownloadCutShortTest,
                         ::testing::Values(ShortCase{0, ReadStatus::Failed},
                                           ShortCase{64, ReadStatus::Failed},
                                           ShortCase{64 * 4, ReadStatus::Failed},
                                           ShortCase{64 * 2, ReadStatus::TimedOut}));

TEST_F(LoggerTransferTest, NoSizeAnswerSendsNoDataRequest) {
    backend.queueRead(ReadStatus::TimedOut, numberReport(1, 5, 64));
    EXPECT_EQ(downloadSet(link, setIdentifier(entry(1))).status, TransferStatus::NoAnswer);
    EXPECT_EQ(commandsAfterConnect(), std::vector<int>{21});
}

struct CapCase {
    std::uint64_t length;
    TransferStatus status;
};
class DownloadCapTest : public LoggerTransferTest, public ::testing::WithParamInterface<CapCase> {};

TEST_P(DownloadCapTest, SetLongerThanTheBufferIsNotRequested) {
    queueSet(textOf(static_cast<std::size_t>(std::min<std::uint64_t>(GetParam().length, 832'000))),
             GetParam().length);
    backend.queueAnswer(Report{});
    EXPECT_EQ(downloadSet(link, setIdentifier(entry(1))).status, GetParam().status);
    const auto commands = commandsAfterConnect();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 17),
              GetParam().status == TransferStatus::Ok ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Lengths, DownloadCapTest,
                         ::testing::Values(CapCase{832'000, TransferStatus::Ok},
                                           CapCase{832'001, TransferStatus::TooLong},
                                           CapCase{0xFFFFFFFFFFULL, TransferStatus::TooLong}));

TEST_F(LoggerTransferTest, SettingReadUsesBytes1And2AndRefusesAMissingAnswer) {
    backend.queueAnswer(numberReport(1, 2, 3600));
    EXPECT_EQ(readSetting(link, Command::ReadSamplingTime), 3600);
    backend.queueAnswer(numberReport(1, 2, 9999));
    EXPECT_EQ(readSetting(link, Command::ReadRecordingPeriod), 9999);
    backend.queueRead(ReadStatus::Failed, numberReport(1, 2, 600));
    EXPECT_FALSE(readSetting(link, Command::ReadRecordingPeriod));
}

}  // namespace
}  // namespace photara
