#include "ui/commands/settings_commands.h"

#include "ui/base/app_context.h"
#include "ui/base/prompts.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/status_line.h"
#include "ui/commands/logger_messages.h"
#include "core/logger/logger_settings.h"

namespace photara {
namespace {

bool settingsRefused(const AppContext& context) {
    return refusedAloud(context, context.meter.refuseSettings());
}

}  // namespace

void runIntvCommand(AppContext& context) {
    if (settingsRefused(context)) return;
    const MeterOutcome<int> current = context.meter.await(context.meter.core().readSamplingTime());
    if (!current) return tell(context, kMeterStoppedAnswering);

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
                const bool sent =
                    context.meter.await(context.meter.core().setSamplingTime(answer.seconds)).ok();
                if (!sent) return tell(context, kMeterStoppedAnswering);
                sayOnStatusLine(context, QStringLiteral("Sampling time set to %1")
                                             .arg(QString::fromStdString(
                                                 formatSamplingTime(answer.seconds))));
                return;
            }
        }
    }
}

void runRecSetupCommand(AppContext& context) {
    if (settingsRefused(context)) return;
    const MeterOutcome<int> current =
        context.meter.await(context.meter.core().readRecordingPeriod());
    if (!current) return tell(context, kMeterStoppedAnswering);

    // A refused answer is offered again for editing; nothing is sent until one is accepted.
    // The poll goes on meanwhile: the change reads the period again right before it sets it.
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
        if (!context.meter.await(context.meter.core().changeRecordingPeriod(answer.seconds)))
            return tell(context, kMeterStoppedAnswering);
        sayOnStatusLine(context,
                        QStringLiteral("Recording period set to %1 s").arg(answer.seconds));
        return;
    }
}

}  // namespace photara
