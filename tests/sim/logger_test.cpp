// The logger as the host's own transfer code sees it through the link: memory status,
// directory, set size and data (byte for byte), erase, interrupted transfers.
#include <gtest/gtest.h>

#include <string>

#include "core/logger/directory.h"
#include "core/meter/logger_ops.h"
#include "core/protocol/big_endian.h"
#include "sim/data_set_generator.h"
#include "sim_fixture.h"

namespace photara::sim::test {
namespace {

std::uint64_t number(const Report& r, std::size_t first, std::size_t count) {
    return readBigEndian(std::span(r).subspan(first, count));
}

std::string padded(std::string text) {
    text.append((64 - text.size() % 64) % 64, '\0');
    return text;
}

// Ten sets starting 2019-08-01 12:34:56, then a minute apart.
void addTenSets(VirtualMeter& meter) {
    meter.logger().eraseAll();
    for (int k = 0; k < 10; ++k) meter.logger().add({{2019, 8, 1, 12, 34 + k, 56}, 3 + k, 1, 50.0});
}

TEST(Logger, MemoryStatusCarriesCapacityUsedAndSetCountBigEndian) {
    LinkedMeter m;
    const Report r = m.exchange(20);
    EXPECT_EQ(r[1], 0);
    EXPECT_EQ(r[2], 0);
    EXPECT_EQ(r[3], 0);
    EXPECT_EQ(r[4], 0x04) << "1024 k bytes";
    EXPECT_EQ(r[5], 0x00);
    std::uint64_t bytes = 0;
    for (int i = 0; i < m.meter.logger().setCount(); ++i) bytes += m.meter.logger().text(i).size();
    EXPECT_EQ(number(r, 6, 5), (bytes + 1023) / 1024);
    EXPECT_EQ(r[11], 0);
    EXPECT_EQ(r[12], 4);
    const auto status = readMemoryStatus(m.link);
    ASSERT_TRUE(status.has_value());
    EXPECT_LT(status->used, status->capacity);
}

TEST(Logger, TenSetsGiveTwoDirectoryReportsInPackedBcd) {
    LinkedMeter m;
    addTenSets(m.meter);
    m.receive();  // the host's discard read
    m.send(16);
    m.receive();
    const Report first = m.answer();
    m.receive();
    const Report second = m.answer();
    const std::uint8_t set1[] = {0x20, 0x19, 0x08, 0x01, 0x12, 0x34, 0x56};
    const std::uint8_t set10[] = {0x20, 0x19, 0x08, 0x01, 0x12, 0x43, 0x56};
    EXPECT_EQ(first[1], 0) << "byte 1 is not used";
    EXPECT_TRUE(std::equal(std::begin(set1), std::end(set1), first.begin() + 2));
    EXPECT_EQ(first[63], 0x42) << "set 9's minute sits in the report's last entry";
    EXPECT_TRUE(std::equal(std::begin(set10), std::end(set10), second.begin() + 2));
    EXPECT_EQ(second[9], 0) << "nothing after the tenth entry";

    const auto identifiers = readDirectory(m.link, 10);
    ASSERT_TRUE(identifiers.has_value());
    ASSERT_EQ(identifiers->size(), 10u);
    EXPECT_EQ((*identifiers)[0], "20190801123456");
    EXPECT_EQ((*identifiers)[9], "20190801124356");
    EXPECT_TRUE(m.link.connected());
}

class Download : public ::testing::TestWithParam<int> {};

TEST_P(Download, SetArrivesByteForByteWithZeroPadding) {
    LinkedMeter m;
    const int index = GetParam();
    const auto identifiers = readDirectory(m.link, m.meter.logger().setCount());
    ASSERT_TRUE(identifiers.has_value());
    const std::string expected = generateDataText(m.meter.logger().recipe(index));

    m.receive();
    const MeterOutcome<DownloadedSet> result =
        downloadSet(m.link, (*identifiers)[static_cast<std::size_t>(index)]);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->length, expected.size());
    EXPECT_EQ(result->text, padded(expected));
    EXPECT_LE(result->text.size(), kDownloadCapacity);
    EXPECT_TRUE(m.link.connected());
    EXPECT_FALSE(m.meter.hasQueuedAnswer()) << "blocks and the one unused report all read";
}

INSTANTIATE_TEST_SUITE_P(DemoSets, Download, ::testing::Values(0, 1, 2, 3));

TEST(Logger, BigDemoSetHoldsAbout13000ReadingsAndFitsTheDownloadBuffer) {
    LinkedMeter m;
    EXPECT_GT(m.meter.logger().recipe(3).samples, 12'900);
    EXPECT_LE(padded(m.meter.logger().text(3)).size(), 832'000u);
    EXPECT_GT(padded(m.meter.logger().text(3)).size(), 831'000u);
}

TEST(Logger, SetSizeAnswerAndFirstBlockAtTheRightBytes) {
    LinkedMeter m;
    addTenSets(m.meter);
    const std::string text = m.meter.logger().text(0);
    const Report size = m.exchange(
        21, {0x32, 0x30, 0x31, 0x39, 0x30, 0x38, 0x30, 0x31, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36});
    EXPECT_EQ(number(size, 1, 5), text.size());
    const Report block = m.exchange(17);  // bytes 3..16 still hold the identifier
    EXPECT_EQ(block[1], static_cast<std::uint8_t>(text[0]));
    EXPECT_EQ(block[64], static_cast<std::uint8_t>(text[63]));
}

TEST(Logger, UnknownSetHasLengthZeroAndSendsOnlyTheUnusedReport) {
    LinkedMeter m;
    const Report size = m.exchange(
        21, {0x31, 0x39, 0x39, 0x39, 0x30, 0x31, 0x30, 0x31, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30});
    EXPECT_EQ(number(size, 1, 5), 0u);
    m.exchange(17);
    EXPECT_FALSE(m.meter.hasQueuedAnswer());
    const MeterOutcome<DownloadedSet> result = downloadSet(m.link, "19990101000000");
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->text.empty());
}

TEST(Logger, AnAbandonedDownloadDoesNotLeakIntoTheNextRequest) {
    LinkedMeter m;
    const auto identifiers = readDirectory(m.link, 4);
    ASSERT_TRUE(identifiers.has_value());
    writeIdentifier(m.output, (*identifiers)[0]);
    m.exchange(21);
    m.exchange(17);
    m.receive();
    ASSERT_TRUE(m.meter.hasQueuedAnswer());
    const Report status = m.exchange(20);
    EXPECT_EQ(status[12], 4) << "the status, not the next block";
}

TEST(Logger, AKeyPressDuringTheDirectoryReadLosesNoReport) {
    LinkedMeter m;
    addTenSets(m.meter);
    m.send(16);
    m.receive();
    m.press(5);  // the user clicks a key while the directory comes in
    m.receive();
    EXPECT_EQ(m.answer()[7], 0x43) << "the second directory report, set 10's minute";
    EXPECT_EQ(m.meter.keysReceived(), (std::vector<std::uint8_t>{5}));
}

TEST(Logger, EraseSetRemovesExactlyThatSet) {
    LinkedMeter m;
    addTenSets(m.meter);
    m.receive();
    writeIdentifier(m.output, "20190801123956");  // set 6
    m.exchange(18);
    EXPECT_EQ(m.exchange(20)[12], 9);
    const auto identifiers = readDirectory(m.link, 9);
    ASSERT_TRUE(identifiers.has_value());
    EXPECT_EQ((*identifiers)[4], "20190801123856");
    EXPECT_EQ((*identifiers)[5], "20190801124056");

    writeIdentifier(m.output, "20190801123956");  // gone already: nothing happens
    m.exchange(18);
    EXPECT_EQ(m.exchange(20)[12], 9);
}

TEST(Logger, EraseAllEmptiesTheMemory) {
    LinkedMeter m;
    m.receive();
    m.exchange(19);
    const Report status = m.exchange(20);
    EXPECT_EQ(number(status, 6, 5), 0u);
    EXPECT_EQ(number(status, 11, 2), 0u);
    EXPECT_EQ(number(status, 1, 5), 1024u);
}

}  // namespace
}  // namespace photara::sim::test
