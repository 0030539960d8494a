#include "device/hid_report_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "device/hidapi_backend.h"

namespace photara {
namespace {

std::array<std::uint8_t, kReportDataSize> dataBytes() {
    std::array<std::uint8_t, kReportDataSize> d{};
    for (std::size_t i = 0; i < d.size(); ++i) d[i] = static_cast<std::uint8_t>(0xA0 + i);
    return d;
}

Report previousAnswer() {
    Report r{};
    r.fill(0x5A);
    return r;
}

// --- input: what hid_read_timeout returned -> read status and report bytes --------------

struct ReadCase {
    const char* name;
    int result;
    ReadStatus status;
};

class PlaceInputReportTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PlaceInputReportTest, FillsTheReportOnlyWhenAWholeReportArrived) {
    Report report = previousAnswer();
    const auto data = dataBytes();
    EXPECT_EQ(placeInputReport(GetParam().result, data, report), GetParam().status);
    if (GetParam().status != ReadStatus::Ok) {
        EXPECT_EQ(report, previousAnswer());
        return;
    }
    EXPECT_EQ(report[0], 0);  // the report id, which hidraw does not deliver
    for (std::size_t i = 1; i < report.size(); ++i) EXPECT_EQ(report[i], data[i - 1]) << i;
}

INSTANTIATE_TEST_SUITE_P(Results, PlaceInputReportTest,
                         ::testing::Values(ReadCase{"Whole", 64, ReadStatus::Ok},
                                           ReadCase{"NothingInTime", 0, ReadStatus::TimedOut},
                                           ReadCase{"Error", -1, ReadStatus::Failed},
                                           ReadCase{"OneByteShort", 63, ReadStatus::Failed},
                                           ReadCase{"OneByte", 1, ReadStatus::Failed}),
                         [](const ::testing::TestParamInfo<ReadCase>& p) { return p.param.name; });

TEST(PlaceInputReport, ABufferShorterThanAReportIsNeverReadPast) {
    Report report = previousAnswer();
    const std::vector<std::uint8_t> small(10, 1);
    EXPECT_EQ(placeInputReport(64, small, report), ReadStatus::Failed);
    EXPECT_EQ(report, previousAnswer());
}

// --- output: the request -> the 65 bytes handed to hid_write --------------------------

struct FrameCase {
    const char* name;
    std::size_t length;  // bytes of the request handed in
};

class OutputFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(OutputFrameTest, KeepsEveryRequestByteAtItsPlaceBehindReportIdZero) {
    Report request{};
    for (std::size_t i = 1; i < request.size(); ++i) request[i] = static_cast<std::uint8_t>(i);
    const std::size_t n = GetParam().length;
    const Report frame = outputFrame(std::span<const std::uint8_t>(request.data(), n));
    EXPECT_EQ(frame[0], 0);
    for (std::size_t i = 1; i < frame.size(); ++i) {
        EXPECT_EQ(frame[i], i < n ? request[i] : 0) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, OutputFrameTest,
                         ::testing::Values(FrameCase{"WholeReport", kReportSize},
                                           FrameCase{"HeaderOnly", 3}, FrameCase{"Empty", 0}),
                         [](const ::testing::TestParamInfo<FrameCase>& p) { return p.param.name; });

TEST(OutputFrame, ANonZeroReportIdIsNeverSent) {
    Report request{};
    request[0] = 7;
    request[1] = 1;
    EXPECT_EQ(outputFrame(request)[0], 0);
    EXPECT_EQ(outputFrame(request)[1], 1);
}

// --- the backend itself, without a meter ---------------------------------------------------

TEST(HidApiBackend, APathThatCannotBeOpenedGivesNoDevice) {
    HidApiBackend backend;
    EXPECT_EQ(backend.open("/nonexistent/hidraw99"), nullptr);
    HidApiBackend second;  // a second backend shares the library; the first still works
    EXPECT_EQ(backend.open(""), nullptr);
}

}  // namespace
}  // namespace photara
