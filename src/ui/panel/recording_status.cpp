#include "ui/panel/recording_status.h"

#include <QLabel>
#include <QTimer>

#include "ui/panel/meter_look.h"

namespace photara {
namespace {

QLabel* makeStatusLabel(QWidget& face, const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, &face);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(look::displayFont(9));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

}  // namespace

RecordingStatus::RecordingStatus(QWidget& face, QTimer& timer) : QObject(&face) {
    // Blank from the start: the first sample would blank a "Rec" after a second, a flash
    // that says nothing about any recording.
    recording_ = makeStatusLabel(face, "LblRecording", QString(), QRect(19, 370, 60, 20));
    count_ = makeStatusLabel(face, "LblCount", QString(), QRect(84, 370, 110, 20));
    fileName_ = makeStatusLabel(face, "LblFileName", QString(), QRect(199, 370, 288, 20));
    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &RecordingStatus::tick);
    timer.start();
}

void RecordingStatus::tick() {
    if (counter_ == 0 || counter_ >= samplePeriod_) {
        fileName_->clear();
        count_->clear();
        recording_->clear();
        counter_ = 1;
        return;
    }
    ++counter_;
}

}  // namespace photara
