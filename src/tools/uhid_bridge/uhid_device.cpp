#include "tools/uhid_bridge/uhid_device.h"

#include <fcntl.h>
#include <linux/input.h>  // BUS_USB
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace photara::tools {

UhidDevice::UhidDevice(Identity identity, std::span<const std::uint8_t> reportDescriptor)
    : identity_(std::move(identity)), descriptor_(reportDescriptor) {
    if (descriptor_.size() > HID_MAX_DESCRIPTOR_SIZE) {
        throw std::invalid_argument("report descriptor too long");
    }
    fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "open /dev/uhid");
}

UhidDevice::~UhidDevice() {
    if (present_) unplug();
    ::close(fd_);
}

void UhidDevice::send(const uhid_event& event) {
    const ssize_t n = ::write(fd_, &event, sizeof event);
    if (n != static_cast<ssize_t>(sizeof event)) {
        throw std::system_error(errno, std::generic_category(), "write /dev/uhid");
    }
}

void UhidDevice::plugIn() {
    if (present_) return;
    uhid_event ev{};
    ev.type = UHID_CREATE2;
    uhid_create2_req& c = ev.u.create2;
    std::strncpy(reinterpret_cast<char*>(c.name), identity_.name.c_str(), sizeof c.name - 1);
    std::copy(descriptor_.begin(), descriptor_.end(), c.rd_data);
    c.rd_size = static_cast<std::uint16_t>(descriptor_.size());
    c.bus = BUS_USB;
    c.vendor = identity_.vendorId;
    c.product = identity_.productId;
    c.version = 0x0100;
    send(ev);
    present_ = true;
}

void UhidDevice::unplug() {
    if (!present_) return;
    uhid_event ev{};
    ev.type = UHID_DESTROY;
    send(ev);
    present_ = false;
}

void UhidDevice::sendInput(std::span<const std::uint8_t> data) {
    if (!present_) return;
    uhid_event ev{};
    ev.type = UHID_INPUT2;
    const std::size_t n = std::min<std::size_t>(data.size(), UHID_DATA_MAX);
    std::copy_n(data.begin(), n, ev.u.input2.data);
    ev.u.input2.size = static_cast<std::uint16_t>(n);
    send(ev);
}

std::optional<uhid_event> UhidDevice::nextEvent() {
    uhid_event ev{};
    const ssize_t n = ::read(fd_, &ev, sizeof ev);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return std::nullopt;
    if (n <= 0) throw std::system_error(errno, std::generic_category(), "read /dev/uhid");
    if (ev.type == UHID_GET_REPORT) {
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = ev.u.get_report.id;
        reply.u.get_report_reply.err = EIO;
        send(reply);
    } else if (ev.type == UHID_SET_REPORT) {
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = ev.u.set_report.id;
        reply.u.set_report_reply.err = EIO;
        send(reply);
    }
    return ev;
}

}  // namespace photara::tools
