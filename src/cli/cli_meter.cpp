#include "cli/cli_meter.h"

#include <cstdlib>

#include "cli/exit_code.h"
#include "core/link/meter_identity.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#ifdef PHOTARA_HAVE_DEVICE
#include "device/hidapi_backend.h"
#endif

namespace photara::cli {

CliMeter::CliMeter(const Common& common, const Clock* virtualClock)
    : virtualClock_(common.virtualMeter ? virtualClock : nullptr),
      meterId_(common.virtualMeter ? MeterId{} : common.meterId),
      lock_(InstanceLock::defaultPath(), "photara-cli") {
    switch (lock_.acquire()) {
        case InstanceLock::Outcome::Acquired:
            break;
        case InstanceLock::Outcome::AlreadyRunning:
            throw CliError(kNoMeter, "the meter is in use by " + lock_.holder() +
                                         "; only one program can talk to it at a time");
        case InstanceLock::Outcome::LockFileUnusable:
            throw CliError(kFileError, "cannot create the lock file " + lock_.path());
    }
    if (common.virtualMeter) {
        virtualMeter_ = std::make_unique<sim::VirtualMeter>(clock());
        simBackend_ = std::make_unique<sim::VirtualMeterBackend>(*virtualMeter_);
        if (const char* text = std::getenv("PHOTARA_CLI_FAULTS")) {
            const std::optional<FaultScript> script = FaultScript::parse(text);
            if (!script) throw CliError(kUsage, "PHOTARA_CLI_FAULTS: not a fault list");
            faults_ = *script;
        }
    } else {
#ifdef PHOTARA_HAVE_DEVICE
        backend_ = std::make_unique<HidApiBackend>();
#else
        throw CliError(kNoMeter, "this build has no USB support; use --virtual-meter");
#endif
    }
    HidBackend& backend = simBackend_ ? static_cast<HidBackend&>(*simBackend_) : *backend_;
    session_ = std::make_unique<MeterSession>(backend, meterId_);
}

// The session's thread ends before the backend it talks to goes.
CliMeter::~CliMeter() { session_.reset(); }

HidBackend& CliMeter::backend() {
    return simBackend_ ? static_cast<HidBackend&>(*simBackend_) : *backend_;
}

MeterOutcome<void> CliMeter::poll() {
    ++polls_;
    // The faults act on the session's thread, which talks to the virtual meter.
    session_->between([this] { injectFaults(); }).get();
    last_ = session_->poll().get();
    if (!last_.answered) return fail(last_.failure);
    return {};
}

void CliMeter::injectFaults() {
    for (const FaultScript::Step& step : faults_.steps) {
        if (step.poll != polls_ || !simBackend_) continue;
        switch (step.action) {
            case FaultScript::Step::Action::Unplug:
                simBackend_->unplug();
                break;
            case FaultScript::Step::Action::Replug:
                simBackend_->replug();
                break;
            case FaultScript::Step::Action::Silent:
                simBackend_->setSilent(true);
                break;
            case FaultScript::Step::Action::Awake:
                simBackend_->setSilent(false);
                break;
            case FaultScript::Step::Action::UnplugAtRead:
                simBackend_->failAfterReads(static_cast<int>(step.read - 1));
                break;
            case FaultScript::Step::Action::Key: {
                const std::uint8_t press[] = {0, 1, step.key};
                virtualMeter_->receive(press);
                break;
            }
        }
    }
}

void CliMeter::requireMeter(Guard guard, const std::string& what) {
    if (const MeterOutcome<void> polled = poll(); !polled) {
        if (polled.reason() == Failure::NoMeter) throw notFound(what);
        throw failureError(polled.reason(), what);
    }
    if (const std::optional<Refusal> refused = refusal(guard))
        throw CliError(kRefused, what + ": refused: " + refusalText(*refused));
}

std::optional<Refusal> CliMeter::refusal(Guard guard) const {
    switch (guard) {
        case Guard::None:
            break;
        case Guard::Settings:
            return refuseSettings(session_->connected(), last_.display);
        case Guard::Memory:
            return refuseMemory(session_->connected(), last_.display);
    }
    return std::nullopt;
}

CliError CliMeter::notFound(const std::string& what) const {
    if (!last_.refusal.empty()) return {kNoMeter, what + ": " + last_.refusal};
    return {kNoMeter, what + ": no meter found with USB ids " + meterIdText(meterId_)};
}

}  // namespace photara::cli
