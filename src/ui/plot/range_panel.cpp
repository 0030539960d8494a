#include "ui/plot/range_panel.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/plot/decimal_text.h"

namespace photara {
namespace {

const char* const kAcceptsPoint = "acceptsDecimalPoint";

QString number(double value) {
    return QString::fromStdString(shortestDecimal(value));
}

std::string bytes(const QLineEdit* box) {
    return box->text().toLatin1().toStdString();
}

// Whether a typed character belongs in a box: digits and, where allowed, ".".
bool accepted(const QString& text, bool decimalPoint) {
    if (text.size() != 1) return false;
    const QChar c = text.front();
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (decimalPoint && c == QLatin1Char('.'));
}

// Keys that edit or move rather than type: the box does its usual work with them. Ctrl, Alt
// and Meta combinations are shortcuts (select all, copy, paste, undo…), and keys without
// text (Shift, function keys) type nothing.
bool editingKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return true;
        default:
            break;
    }
    return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
           key.text().isEmpty();
}

QGroupBox* rangeFrame(const QString& name, const QString& caption, QLineEdit* minimum,
                      QLineEdit* maximum) {
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(name);
    auto* form = new QFormLayout(frame);
    form->addRow(QStringLiteral("Min"), minimum);
    form->addRow(QStringLiteral("Max"), maximum);
    return frame;
}

}  // namespace

RangePanel::RangePanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PicRange"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);

    firstMinimum_ = box(QStringLiteral("TxtcdMn"), true);
    firstMaximum_ = box(QStringLiteral("TxtcdMx"), true);
    secondMinimum_ = box(QStringLiteral("TxtMn"), true);
    secondMaximum_ = box(QStringLiteral("TxtMx"), true);
    counts_ = box(QStringLiteral("TxtCounts"), false);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("CmdRangeOK"));
    connect(ok, &QPushButton::clicked, this, &RangePanel::applyRequested);

    secondFrame_ =
        rangeFrame(QStringLiteral("FrmLxFc"), QStringLiteral("FL"), secondMinimum_, secondMaximum_);
    auto* countsRow = new QFormLayout;
    // The box keeps the design name "Counts"; its label says what the number is.
    counts_->setToolTip(QStringLiteral("The plot width divided by the time-label step"));
    countsRow->addRow(QStringLiteral("Counts (label steps across the plot)"), counts_);

    auto* layout = new QVBoxLayout(this);
    auto* frames = new QHBoxLayout;
    frames->addWidget(
        rangeFrame(QStringLiteral("Frmcd"), QStringLiteral("cd"), firstMinimum_, firstMaximum_));
    frames->addWidget(secondFrame_);
    layout->addLayout(frames);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(countsRow);
    bottom->addStretch();
    bottom->addWidget(ok);
    layout->addLayout(bottom);
    adjustSize();
}

QLineEdit* RangePanel::box(const QString& name, bool decimalPoint) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setProperty(kAcceptsPoint, decimalPoint);
    edit->setMaximumWidth(fontMetrics().horizontalAdvance(QString(10, QLatin1Char('0'))));
    // A paste holds to the same characters as typing.
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(decimalPoint ? QStringLiteral("[0-9.]*") : QStringLiteral("[0-9]*")),
        edit));
    edit->installEventFilter(this);
    return edit;
}

void RangePanel::fill(const PlotSettings& settings, const QString& counts) {
    secondFrame_->setTitle(QStringLiteral("Fl"));
    secondMinimum_->setText(number(settings.second.minimum));
    secondMaximum_->setText(number(settings.second.maximum));
    firstMinimum_->setText(number(settings.first.minimum));
    firstMaximum_->setText(number(settings.first.maximum));
    counts_->setText(counts);
}

RangeEntry RangePanel::entry() const {
    return {bytes(firstMinimum_), bytes(firstMaximum_), bytes(secondMinimum_),
            bytes(secondMaximum_), bytes(counts_)};
}

bool RangePanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (key.key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (!enter &&
        (editingKey(key) || accepted(key.text(), watched->property(kAcceptsPoint).toBool())))
        return QFrame::eventFilter(watched, event);
    emit applyRequested();
    return true;
}

void RangePanel::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    firstMinimum_->setFocus(Qt::OtherFocusReason);
}

void RangePanel::hideEvent(QHideEvent* event) {
    // Typing must not go on into boxes nobody sees: the window takes the keyboard back.
    QWidget* focus = window()->focusWidget();
    if (focus && isAncestorOf(focus) && parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
    QFrame::hideEvent(event);
}

}  // namespace photara
