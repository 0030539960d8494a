#include "logger/logger_transfer.h"

#include <gtest/gtest.h>

#include "core/logger/fake_logger.h"
#include "core/logger/fake_meter_backend.h"
#include "link/meter_identity.h"
#include "link/meter_link.h"

namespace photara {
namespace {

using test::FakeLogger;
using test::FakeMeterBackend;

std::array<std::uint8_t, 7> entry(std::uint8_t second) {
    return {0x20, 0x26, 0x12, 0x07, 0x00, 0x43, second};
}

std::string textOf(std::size_t length, char seed = 'a') {
    std::string text(length, ' ');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(seed + i % 26);
    return text;
}

class LoggerTransferTest : public ::testing::Test {
  protected:
    LoggerTransferTest() {
        backend.respond = [this](const Report& r) { return logger(r); };
    }
    void addSets(int n, std::size_t length = 100) {
        for (int k = 1; k <= n; ++k)
            logger.sets.push_back({entry(static_cast<std::uint8_t>(k)), textOf(length)});
    }
    // Makes the read after the next `n` reads fail and unplug the meter.
    void unplugAfterReads(int n) { backend.failAtRead = backend.reads + n; }

    FakeLogger logger;
    FakeMeterBackend backend;
    MeterLink link{backend, kMeterVendorId, kMeterProductId};
};

TEST_F(LoggerTransferTest, MemoryStatusAfterUnplugIsNotTheOldAnswer) {
    addSets(3);
    ASSERT_EQ(readMemoryStatus(link)->setCount, 3);
    unplugAfterReads(0);
    EXPECT_FALSE(readMemoryStatus(link));
}

TEST_F(LoggerTransferTest, SilentMeterGivesNoMemoryStatus) {
    addSets(3);
    ASSERT_TRUE(readMemoryStatus(link));
    backend.respond = [](const Report&) { return std::vector<Report>{}; };
    EXPECT_FALSE(readMemoryStatus(link));
}

class DirectorySizeTest : public LoggerTransferTest, public ::testing::WithParamInterface<int> {};

TEST_P(DirectorySizeTest, ReadsOneReportPerNineSetsAndListsEverySet) {
    addSets(GetParam());
    ASSERT_TRUE(readMemoryStatus(link));  // the directory always follows the status
    backend.written.clear();
    const int readsBefore = backend.reads;
    const auto ids = readDirectory(link, GetParam());
    ASSERT_TRUE(ids);
    ASSERT_EQ(ids->size(), static_cast<std::size_t>(GetParam()));
    for (int k = 1; k <= GetParam(); ++k)
        EXPECT_EQ((*ids)[static_cast<std::size_t>(k - 1)],
                  setIdentifier(entry(static_cast<std::uint8_t>(k))));
    EXPECT_EQ(backend.reads - readsBefore, directoryReportCount(GetParam()));
    EXPECT_EQ(backend.commands(), std::vector<int>{16});
}

INSTANTIATE_TEST_SUITE_P(SetCounts, DirectorySizeTest, ::testing::Values(1, 9, 10, 19, 27));

class DirectoryUnplugTest : public LoggerTransferTest, public ::testing::WithParamInterface<int> {};

TEST_P(DirectoryUnplugTest, UnplugAtAnyReportGivesNoDirectory) {
    addSets(25);  // three reports
    ASSERT_TRUE(readMemoryStatus(link));
    unplugAfterReads(GetParam());
    EXPECT_FALSE(readDirectory(link, 25));
}

INSTANTIATE_TEST_SUITE_P(Reports, DirectoryUnplugTest, ::testing::Values(0, 1, 2));

TEST_F(LoggerTransferTest, DirectoryShortOfReportsIsNotPaddedWithTheLastOne) {
    addSets(9);
    ASSERT_TRUE(readMemoryStatus(link));
    // The status claims 18 sets, but the meter sends only one directory report.
    EXPECT_FALSE(readDirectory(link, 18));
}

TEST_F(LoggerTransferTest, DirectoryOfAnAbsentMeterReadsNothing) {
    backend.present = false;
    EXPECT_FALSE(readDirectory(link, 3));
    EXPECT_TRUE(backend.written.empty());
}

struct LengthCase {
    std::size_t length;
    std::size_t blocks;
};

class DownloadLengthTest : public LoggerTransferTest,
                           public ::testing::WithParamInterface<LengthCase> {};

TEST_P(DownloadLengthTest, TakesEveryByteOfWholeBlocks) {
    const std::string text = textOf(GetParam().length);
    logger.sets.push_back({entry(1), text});
    const std::string id = setIdentifier(entry(1));
    std::vector<int> percents;
    const DownloadResult result =
        downloadSet(link, id, [&](int percent) { percents.push_back(percent); });

    ASSERT_EQ(result.status, TransferStatus::Ok);
    EXPECT_EQ(result.length, GetParam().length);
    ASSERT_EQ(result.text.size(), GetParam().blocks * 64);
    EXPECT_EQ(result.text.substr(0, text.size()), text);
    EXPECT_EQ(result.text.find_first_not_of('\0', text.size()), std::string::npos);

    // The size and data requests both carry the identifier's digits in bytes 3..16.
    ASSERT_EQ(backend.commands(), (std::vector<int>{21, 17}));
    const auto digits = identifierRequestBytes(id);
    for (const Report& r : backend.written)
        EXPECT_TRUE(std::equal(digits.begin(), digits.end(), r.begin() + 3));
    // One read per block after the first, plus the read after the last block.
    EXPECT_EQ(backend.reads, 2 + static_cast<int>(GetParam().blocks));
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

// Reads of a download: 0 = size answer, 1 = first block, 2.. = further blocks.
class DownloadUnplugTest : public LoggerTransferTest, public ::testing::WithParamInterface<int> {};

TEST_P(DownloadUnplugTest, UnplugBeforeTheLastBlockGivesNoText) {
    logger.sets.push_back({entry(1), textOf(64 * 5)});
    unplugAfterReads(GetParam());
    const DownloadResult result = downloadSet(link, setIdentifier(entry(1)));
    EXPECT_EQ(result.status, TransferStatus::NoAnswer);
    EXPECT_TRUE(result.text.empty());
}

INSTANTIATE_TEST_SUITE_P(Reads, DownloadUnplugTest, ::testing::Values(0, 1, 2, 4, 5));

TEST_F(LoggerTransferTest, ReadAfterTheLastBlockMayFail) {
    logger.sets.push_back({entry(1), textOf(64 * 5)});
    unplugAfterReads(6);
    const DownloadResult result = downloadSet(link, setIdentifier(entry(1)));
    EXPECT_EQ(result.status, TransferStatus::Ok);
    EXPECT_EQ(result.text.size(), 64u * 5);
}

TEST_F(LoggerTransferTest, MeterSendingFewerBlocksThanItsSizeGivesNoText) {
    logger.sets.push_back({entry(1), textOf(100)});
    logger.reportedLength = 64 * 4;
    EXPECT_EQ(downloadSet(link, setIdentifier(entry(1))).status, TransferStatus::NoAnswer);
}

struct CapCase {
    std::uint64_t length;
    TransferStatus status;
};
class DownloadCapTest : public LoggerTransferTest, public ::testing::WithParamInterface<CapCase> {};

TEST_P(DownloadCapTest, SetLongerThanTheBufferIsNotRequested) {
    logger.sets.push_back({entry(1), textOf(static_cast<std::size_t>(
                                         std::min<std::uint64_t>(GetParam().length, 832'000)))});
    logger.reportedLength = GetParam().length;
    const DownloadResult result = downloadSet(link, setIdentifier(entry(1)));
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(backend.count(17), GetParam().status == TransferStatus::Ok ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Lengths, DownloadCapTest,
                         ::testing::Values(CapCase{832'000, TransferStatus::Ok},
                                           CapCase{832'001, TransferStatus::TooLong},
                                           CapCase{0xFFFFFFFFFFULL, TransferStatus::TooLong}));

TEST_F(LoggerTransferTest, SettingReadUsesBytes1And2AndRefusesAStaleAnswer) {
    logger.samplingSeconds = 3600;
    logger.recordingPeriod = 9999;
    EXPECT_EQ(readSetting(link, Command::ReadSamplingTime), 3600);
    EXPECT_EQ(readSetting(link, Command::ReadRecordingPeriod), 9999);
    unplugAfterReads(0);
    EXPECT_FALSE(readSetting(link, Command::ReadRecordingPeriod));
}

}  // namespace
}  // namespace photara
