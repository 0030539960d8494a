#include "core/link/meter_link.h"

#include <algorithm>

namespace photara {

MeterLink::MeterLink(HidBackend& backend, std::uint16_t vendorId, std::uint16_t productId)
    : backend_(backend), vendorId_(vendorId), productId_(productId) {}

MeterLink::~MeterLink() = default;

MeterOutcome<Report> MeterLink::exchange(const Request& request) {
    if (!connected() && !search()) return fail(Failure::NoMeter);
    write(request);
    return read();
}

MeterOutcome<void> MeterLink::send(const Request& request) {
    if (const auto connection = ensureConnected(); !connection) return connection;
    if (!write(request)) return fail(Failure::NotTaken);
    return {};
}

MeterOutcome<Report> MeterLink::receive() {
    if (const auto connection = ensureConnected(); !connection) return fail(connection.reason());
    return read();
}

MeterOutcome<void> MeterLink::ensureConnected() {
    if (connected()) return {};
    return fail(search() ? Failure::OnlySearched : Failure::NoMeter);
}

bool MeterLink::search() {
    drop();
    refusal_.clear();
    for (const HidDeviceInfo& info : backend_.enumerate(vendorId_, productId_)) {
        if (info.vendorId != vendorId_ || info.productId != productId_) continue;
        std::unique_ptr<HidDevice> device = backend_.open(info.path);
        if (!device) {
            if (refusal_.empty()) refusal_ = backend_.openRefusal();
            continue;
        }
        device_ = std::move(device);
        refusal_.clear();
        return true;
    }
    if (listener_.noConnection) listener_.noConnection();
    return false;
}

bool MeterLink::write(const Request& request) {
    const Report& bytes = request.bytes();
    const std::size_t length = std::min(device_->outputReportLength(), bytes.size());
    return device_->write(std::span<const std::uint8_t>(bytes.data(), length));
}

MeterOutcome<Report> MeterLink::read() {
    Report input{};
    switch (device_->read(input, kReadTimeout)) {
        case ReadStatus::Ok:
            return input;
        case ReadStatus::TimedOut:
            drop();
            return fail(Failure::NoAnswer);
        case ReadStatus::Failed:
            drop();  // first, so the listener sees the link as it now is
            if (listener_.readError) listener_.readError();
            return fail(Failure::ReadError);
    }
    return fail(Failure::ReadError);
}

void MeterLink::drop() {
    device_.reset();
}

}  // namespace photara
