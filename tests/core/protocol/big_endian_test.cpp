#include "core/protocol/big_endian.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace photara {
namespace {

struct BigEndianCase {
    std::vector<std::uint8_t> bytes;
    std::uint64_t value;
};

class BigEndianTest : public ::testing::TestWithParam<BigEndianCase> {};

TEST_P(BigEndianTest, ReadsMostSignificantByteFirst) {
    EXPECT_EQ(readBigEndian(GetParam().bytes), GetParam().value);
}

TEST_P(BigEndianTest, WritesWhatItReads) {
    std::vector<std::uint8_t> out(GetParam().bytes.size(), 0xAA);
    writeBigEndian(out, GetParam().value);
    EXPECT_EQ(out, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    MeterNumbers, BigEndianTest,
    ::testing::Values(BigEndianCase{{0x00, 0x5A}, 90}, BigEndianCase{{0x0E, 0x10}, 3600},
                      BigEndianCase{{0x27, 0x0F}, 9999}, BigEndianCase{{0x07, 0xEA}, 2026},
                      // 40-bit memory capacity: b1·2^32 + b2·2^24 + b3·2^16 + b4·2^8 + b5
                      BigEndianCase{{0x01, 0x00, 0x00, 0x02, 0x00}, 0x0100000200ULL},
                      BigEndianCase{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFFFFULL}));

}  // namespace
}  // namespace photara
