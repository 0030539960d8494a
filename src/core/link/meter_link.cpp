#include "link/meter_link.h"

#include <algorithm>

namespace photara {

MeterLink::MeterLink(HidBackend& backend, std::uint16_t vendorId, std::uint16_t productId)
    : backend_(backend), vendorId_(vendorId), productId_(productId) {}

MeterLink::~MeterLink() = default;

void MeterLink::request(std::uint8_t command) {
    output_[0] = 0;
    output_[kRequestMarkerByte] = 1;
    output_[kCommandByte] = command;
}

void MeterLink::writeThenRead() {
    requestSent_ = false;
    if (!connected() && !search()) return;
    write();
    read();
}

void MeterLink::writeOnly() {
    requestSent_ = false;
    if (!connected()) {
        search();
        return;
    }
    write();
}

void MeterLink::readOnly() {
    requestSent_ = false;
    if (!connected()) {
        search();
        return;
    }
    read();
}

bool MeterLink::search() {
    drop();
    for (const HidDeviceInfo& info : backend_.enumerate(vendorId_, productId_)) {
        if (info.vendorId != vendorId_ || info.productId != productId_) continue;
        std::unique_ptr<HidDevice> device = backend_.open(info.path);
        if (!device) continue;
        device_ = std::move(device);
        return true;
    }
    if (listener_.noConnection) listener_.noConnection();
    return false;
}

void MeterLink::write() {
    const std::size_t length = std::min(device_->outputReportLength(), output_.size());
    requestSent_ = device_->write(std::span<const std::uint8_t>(output_.data(), length));
}

void MeterLink::read() {
    switch (device_->read(input_, kReadTimeout)) {
        case ReadStatus::Ok:
            answer_ = input_;
            return;
        case ReadStatus::TimedOut:
            drop();
            return;
        case ReadStatus::Failed:
            drop();  // first, so the listener sees the link as it now is
            if (listener_.readError) listener_.readError();
            return;
    }
}

void MeterLink::drop() {
    device_.reset();
}

}  // namespace photara
