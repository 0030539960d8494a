#include "sim/display_composer.h"

namespace photara::sim {
namespace {

// Report byte of each display position 1..13.
constexpr std::array<std::size_t, 13> kPositionBytes = {1,  2,  3,  4,  8,  9, 10,
                                                        11, 12, 14, 15, 17, 18};

constexpr std::size_t kMainPointByte = 5;
constexpr std::size_t kMultiplierByte = 6;
constexpr std::size_t kUnitByte = 7;
constexpr std::size_t kSeparator1Byte = 13;
constexpr std::size_t kSeparator2Byte = 16;
constexpr std::size_t kSecondPointByte = 19;
constexpr std::size_t kBatteryByte = 60;
constexpr std::size_t kPercentHourByte = 64;

constexpr std::uint8_t kKiloOfCd = 1;
constexpr std::uint8_t kKiloOfFl = 2;

}  // namespace

Report composeDisplayReport(const DisplayFrame& frame) {
    Report r{};
    for (std::size_t i = 0; i < kPositionBytes.size(); ++i) {
        r[kPositionBytes[i]] = frame.characters[i];
    }
    r[kMainPointByte] = static_cast<std::uint8_t>(frame.mainPoint);
    if (frame.kilo) r[kMultiplierByte] = frame.unit == Unit::FootLambert ? kKiloOfFl : kKiloOfCd;
    r[kUnitByte] = static_cast<std::uint8_t>(frame.unit);
    r[kSeparator1Byte] = static_cast<std::uint8_t>(frame.separator1);
    r[kSeparator2Byte] = static_cast<std::uint8_t>(frame.separator2);
    r[kSecondPointByte] = static_cast<std::uint8_t>(frame.secondPoint);
    for (int i = 0; i < kAnnunciatorCount; ++i) {
        r[static_cast<std::size_t>(kFirstAnnunciatorByte + i)] =
            frame.annunciators.test(static_cast<std::size_t>(i)) ? 1 : 0;
    }
    r[kBatteryByte] = frame.battery;
    r[kPercentHourByte] =
        static_cast<std::uint8_t>((frame.percent ? 1 : 0) | (frame.smallH ? 2 : 0));
    return r;
}

}  // namespace photara::sim
