#include "app/meter_wiring.h"

#include <gtest/gtest.h>

#include "core/common/local_time.h"
#include "core/link/meter_identity.h"

namespace photara {
namespace {

TEST(MeterBackendChoice, VirtualMeterIsAnInProcessBackend) {
    const SystemClock clock;
    MeterBackend virtualOne = makeMeterBackend(true, clock);
    EXPECT_NE(virtualOne.virtualMeter, nullptr);
    ASSERT_NE(virtualOne.backend, nullptr);
    EXPECT_EQ(virtualOne.backend->enumerate(kMeterVendorId, kMeterProductId).size(), 1u);
    MeterBackend usb = makeMeterBackend(false, clock);
    EXPECT_EQ(usb.virtualMeter, nullptr);
    EXPECT_EQ(usb.backend != nullptr, usbAvailable());
}

}  // namespace
}  // namespace photara
