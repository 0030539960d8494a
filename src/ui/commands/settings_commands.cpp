#include "commands/settings_commands.h"

#include "base/app_context.h"
#include "base/prompts.h"
#include "base/timer_pause.h"
#include "commands/logger_guards.h"
#include "commands/logger_messages.h"
#include "link/meter_link.h"
#include "logger/logger_settings.h"
#include "logger/logger_transfer.h"
#include "protocol/big_endian.h"

namespace photara {
namespace {

// Sends a setting write-only; false when it never reached the meter. A meter that went away
// while the user was typing is only searched for, or refuses the report: the caller tells the
// user rather than let the value vanish silently.
bool sendSetting(MeterLink& link, Command command, int value) {
    writeBigEndian(std::span(link.output()).subspan(kFirstArgumentByte, 2),
                   static_cast<std::uint64_t>(value));
    link.request(command);
    link.writeOnly();
    return link.requestSent();
}

// The current value, or nullopt when the meter did not answer: a missing answer leaves an
// earlier command's bytes in the answer, which must not be offered.
std::optional<int> readCurrent(AppContext& context, Command command) {
    context.link.readOnly();  // discards whatever answer is still waiting
    return readSetting(context.link, command);
}

}  // namespace

void runIntvCommand(AppContext& context) {
    if (!meterFreeForSettings(context)) return;
    std::optional<int> current;
    {
        const TimerPause pause{&context.pollTimer};
        current = readCurrent(context, Command::ReadSamplingTime);
    }
    if (!current) return tell(context, kMeterStoppedAnswering);  // with the poll running again

    // A refused answer is offered again for editing.
    QString answerShown = QString::fromStdString(formatSamplingTime(*current));
    for (;;) {
        const std::optional<QString> typed = context.prompts.input(
            QStringLiteral("Input Sampling Time"),
            QStringLiteral("Enter the SAMPLING TIME\r\n00:00:01 <= hh:nn:ss <= 01:00:00"),
            answerShown);
        if (!typed || typed->isEmpty()) return;
        answerShown = *typed;
        const std::string text = typed->toStdString();
        const SamplingTimeAnswer answer = parseSamplingTime(text);
        switch (answer.kind) {
            case SamplingTimeAnswer::Kind::FormatError:
                tell(context, QStringLiteral("Invalid, comply with the data format properly\r\n"));
                continue;
            case SamplingTimeAnswer::Kind::OutOfRange:
                tell(context, QString::fromStdString(samplingTimeRefusal(text, answer)));
                continue;
            case SamplingTimeAnswer::Kind::Accept: {
                bool sent = false;
                {
                    const TimerPause pause{&context.pollTimer};
                    sent = sendSetting(context.link, Command::SetSamplingTime, answer.seconds);
                }
                if (!sent) tell(context, kMeterStoppedAnswering);  // with the poll running again
                return;
            }
        }
    }
}

void runRecSetupCommand(AppContext& context) {
    if (!meterFreeForSettings(context)) return;
    const TimerPause pause{&context.pollTimer, &context.statusTimer};
    const std::optional<int> current = readCurrent(context, Command::ReadRecordingPeriod);
    if (!current) return tell(context, kMeterStoppedAnswering);

    // A refused answer is offered again for editing; nothing is sent until one is accepted.
    QString answerShown = QString::number(*current);
    for (;;) {
        const std::optional<QString> typed = context.prompts.input(
            QStringLiteral("Recording Period"),
            QStringLiteral("Enter the Recording Period in seconds\r\n(1 <= t <= 9999 ) "),
            answerShown);
        if (!typed || typed->isEmpty()) return;
        answerShown = *typed;
        const std::string text = typed->toStdString();
        const RecordingPeriodAnswer answer = parseRecordingPeriod(text);
        if (answer.kind != RecordingPeriodAnswer::Kind::Accept) {
            tell(context, QString::fromStdString(recordingPeriodRefusal(text, answer)));
            continue;
        }
        if (!sendSetting(context.link, Command::SetRecordingPeriod, answer.seconds))
            tell(context, kMeterStoppedAnswering);
        return;
    }
}

}  // namespace photara
