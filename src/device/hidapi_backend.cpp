#include "device/hidapi_backend.h"

#include <hidapi.h>

#include <algorithm>
#include <array>
#include <climits>

#include "device/device_node_lock.h"
#include "device/hid_report_frame.h"

namespace photara {

// hid_init on construction, hid_exit on destruction. Shared by the backend and every
// device it opened, so the library outlives all handles.
class HidApiLibrary {
  public:
    HidApiLibrary() : ok_(hid_init() == 0) {}
    ~HidApiLibrary() { hid_exit(); }
    HidApiLibrary(const HidApiLibrary&) = delete;
    HidApiLibrary& operator=(const HidApiLibrary&) = delete;
    bool ok() const { return ok_; }

    static std::shared_ptr<HidApiLibrary> acquire() {
        static std::weak_ptr<HidApiLibrary> current;
        std::shared_ptr<HidApiLibrary> library = current.lock();
        if (!library) {
            library = std::make_shared<HidApiLibrary>();
            current = library;
        }
        return library;
    }

  private:
    bool ok_;
};

namespace {

struct CloseDevice {
    void operator()(hid_device* device) const { hid_close(device); }
};
using DeviceHandle = std::unique_ptr<hid_device, CloseDevice>;

struct FreeEnumeration {
    void operator()(hid_device_info* list) const { hid_free_enumeration(list); }
};
using EnumerationList = std::unique_ptr<hid_device_info, FreeEnumeration>;

int toTimeoutMs(std::chrono::milliseconds timeout) {
    return static_cast<int>(std::clamp<long long>(timeout.count(), 0, INT_MAX));
}

class HidApiDevice final : public HidDevice {
  public:
    HidApiDevice(std::shared_ptr<HidApiLibrary> library, std::unique_ptr<DeviceNodeLock> lock,
                 DeviceHandle handle)
        : lock_(std::move(lock)), handle_(std::move(handle)), library_(std::move(library)) {}

    // hidapi 0.13 offers no capability query (no report descriptor access), so the lengths
    // come from the meter's report descriptor, which declares one 64-byte input and one
    // 64-byte output report without report ids: 64 data bytes plus the report-id byte.
    std::size_t inputReportLength() const override { return kReportSize; }
    std::size_t outputReportLength() const override { return kReportSize; }

    bool write(std::span<const std::uint8_t> report) override {
        const Report frame = outputFrame(report);
        // hidapi answers -1 at once when the device is gone.
        return hid_write(handle_.get(), frame.data(), frame.size()) >= 0;
    }

    ReadStatus read(Report& report, std::chrono::milliseconds timeout) override {
        std::array<std::uint8_t, kReportDataSize> data{};
        const int result =
            hid_read_timeout(handle_.get(), data.data(), data.size(), toTimeoutMs(timeout));
        return placeInputReport(result, data, report);
    }

  private:
    std::unique_ptr<DeviceNodeLock> lock_;  // let go only once the node is closed
    DeviceHandle handle_;  // closed before the library may shut down
    std::shared_ptr<HidApiLibrary> library_;
};

}  // namespace

HidApiBackend::HidApiBackend() : library_(HidApiLibrary::acquire()) {}

HidApiBackend::~HidApiBackend() = default;

std::vector<HidDeviceInfo> HidApiBackend::enumerate(std::uint16_t vendorId,
                                                    std::uint16_t productId) {
    std::vector<HidDeviceInfo> found;
    if (!library_->ok()) return found;
    // hidraw lists one entry per top-level usage of an interface, all with the same path.
    const EnumerationList list(hid_enumerate(vendorId, productId));
    for (const hid_device_info* d = list.get(); d != nullptr; d = d->next) {
        if (d->path == nullptr) continue;
        const std::string path = d->path;
        const bool known = std::any_of(found.begin(), found.end(),
                                       [&](const HidDeviceInfo& f) { return f.path == path; });
        if (!known) found.push_back({path, d->vendor_id, d->product_id});
    }
    return found;
}

std::unique_ptr<HidDevice> HidApiBackend::open(const std::string& path) {
    refusal_.clear();
    if (!library_->ok()) return nullptr;
    // The lock first: a node another program holds is not even opened for writing.
    std::unique_ptr<DeviceNodeLock> lock = DeviceNodeLock::take(path, refusal_);
    if (!lock) return nullptr;
    DeviceHandle handle(hid_open_path(path.c_str()));
    if (!handle) return nullptr;
    return std::make_unique<HidApiDevice>(library_, std::move(lock), std::move(handle));
}

}  // namespace photara
